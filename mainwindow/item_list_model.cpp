#include "mainwindow/item_list_model.h"

#include "foundation/codepage.h"

namespace {

struct ColumnLayout {
    const char *title;
    Qt::Alignment alignment;
};

constexpr Qt::Alignment kCentred = Qt::AlignCenter;

const ColumnLayout kColumns[ItemListModel::ColumnCount] = {
    {"ID", Qt::AlignLeft | Qt::AlignVCenter},
    {"名称", kCentred},
    {"状态", kCentred},
    {"开始时间", kCentred},
    {"时长", kCentred},
    {"费用", kCentred},
    {"最小单位", kCentred},
    {"超时单价", kCentred},
};

} // namespace

ItemListModel::ItemListModel(QObject *parent) : QAbstractTableModel(parent) {}

void ItemListModel::reload(QList<RowTexts> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    ++m_generation;
    endResetModel();
}

QByteArray ItemListModel::cellText(int row, Column column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= ColumnCount)
        return {};
    return m_rows[row][column];
}

void ItemListModel::setCellText(int row, Column column, const QByteArray &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= ColumnCount)
        return;
    QByteArray &cell = m_rows[row][column];
    if (cell == text)
        return;
    cell = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

RefreshRows ItemListModel::refreshRows() const
{
    RefreshRows snapshot{m_generation, {}};
    snapshot.rows.reserve(m_rows.size());
    for (const RowTexts &row : m_rows)
        snapshot.rows.append({row[Name], row[Status], row[StartTime]});
    return snapshot;
}

bool ItemListModel::applyRefresh(std::uint64_t generation, const RefreshPassResult &result)
{
    if (generation != m_generation || result.rows.size() != m_rows.size())
        return false;
    for (int row = 0; row < result.rows.size(); ++row) {
        const RefreshRowTexts &texts = result.rows[row];
        if (!texts.running)
            continue;
        setCellText(row, Duration, texts.duration);
        setCellText(row, Fee, texts.fee);
    }
    return true;
}

int ItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ItemListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant ItemListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return gbkToUnicode(m_rows[index.row()][index.column()]);
    case Qt::TextAlignmentRole:
        return int(kColumns[index.column()].alignment);
    default:
        return {};
    }
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(kColumns[section].title);
    case Qt::TextAlignmentRole:
        return int(kColumns[section].alignment);
    default:
        return {};
    }
}
