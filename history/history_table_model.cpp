#include "history/history_table_model.h"

#include "foundation/codepage.h"

#include <array>

namespace {

struct ColumnInfo {
    const char *title;
    int width;
};

const std::array<ColumnInfo, HistoryTableModel::ColumnCount> kColumns{{
    {"名称", 80},
    {"开始时间", 150},
    {"结束时间", 150},
    {"使用时长", 120},
    {"初始时段", 90},
    {"超时时长", 90},
    {"最小单位", 75},
    {"超时单价", 90},
    {"初始费用", 75},
    {"超时费用", 75},
    {"总费用", 90},
}};

} // namespace

HistoryTableModel::HistoryTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void HistoryTableModel::setRecords(QList<QList<QByteArray>> records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

int HistoryTableModel::columnWidth(Column column)
{
    return kColumns.at(column).width;
}

int HistoryTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int HistoryTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const QList<QByteArray> &fields = m_records.at(index.row());
    if (index.column() >= fields.size())
        return QString();
    return gbkToUnicode(fields.at(index.column()));
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0
        || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(kColumns.at(section).title);
}
