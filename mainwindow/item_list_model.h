#pragma once

#include "billing/refresh_pass.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

#include <array>
#include <cstdint>

// The rows of the main window's item list: one row per item, eight GBK cell
// texts each, shown as Unicode. Only reload() replaces the rows; every other
// change is a cell change announced for that cell alone. GUI thread only.
class ItemListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Id,
        Name,
        Status,
        StartTime,
        Duration,
        Fee,
        MinimumUnit,
        OvertimePrice,
        ColumnCount
    };
    using RowTexts = std::array<QByteArray, ColumnCount>;

    explicit ItemListModel(QObject *parent = nullptr);

    // Replaces all rows and starts a new generation.
    void reload(QList<RowTexts> rows);
    // Changes with every reload(); results computed from older rows are stale.
    std::uint64_t generation() const { return m_generation; }

    // Empty text outside the rows.
    QByteArray cellText(int row, Column column) const;
    // Does nothing outside the rows or when the text is unchanged.
    void setCellText(int row, Column column, const QByteArray &text);

    // Name, status and start time of every row, for a refresh pass.
    RefreshRows refreshRows() const;
    // Writes the duration and fee of the running rows. Returns false, writing
    // nothing, when the rows were reloaded since the snapshot was taken.
    bool applyRefresh(std::uint64_t generation, const RefreshPassResult &result);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<RowTexts> m_rows;
    std::uint64_t m_generation = 0;
};
