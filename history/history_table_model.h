#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

// The records of one history file as a table: one row per record, column N
// showing field N + 1 under the field's title. Fields beyond the eleventh are
// not shown; a record with fewer fields leaves its last cells empty. Texts are
// converted from GBK only when a cell is drawn, so a month of many records
// fills at once.
class HistoryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ItemName,
        StartTime,
        EndTime,
        UsedDuration,
        InitialPeriod,
        OvertimeDuration,
        MinimumUnit,
        OvertimePrice,
        InitialFee,
        OvertimeFee,
        TotalFee,
        ColumnCount
    };

    explicit HistoryTableModel(QObject *parent = nullptr);

    // Replaces every row with the records.
    void setRecords(QList<QList<QByteArray>> records);

    // The width in pixels the column is shown with.
    static int columnWidth(Column column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<QList<QByteArray>> m_records;
};
