#include "PreviewTableModel.h"

#include <QColor>

namespace {

enum Column
{
    Kind,
    Id,
    Old,
    New,
    Percent,
    ColumnCount
};

// A value of a numeric field as its number; a text, or NULL, as it is shown.
QVariant valueSortKey(const ChangePreview::ChangedRow& row, const QString& value)
{
    if (StoreField::all()[std::size_t(row.field)].numeric)
        if (const auto number = StoreField::number(value.toUtf8()))
            return *number;
    return value;
}

int keyRank(const QVariant& key)
{
    if (!key.isValid())
        return 0;
    return key.typeId() == QMetaType::QString ? 2 : 1;
}

} // namespace

void PreviewTableModel::setRows(std::vector<ChangePreview::ChangedRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int PreviewTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PreviewTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PreviewTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const ChangePreview::ChangedRow& row = m_rows[std::size_t(index.row())];
    // A price beyond the warning limits stands out.
    if (role == Qt::BackgroundRole)
        return row.warned ? QVariant(QColor(0xFF, 0xD6, 0xD6)) : QVariant();
    if (role == Qt::ToolTipRole && row.warned)
        return QStringLiteral("A price to check: beyond the warning limits");
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != SortRole)
        return {};
    const bool sorting = role == SortRole;
    switch (index.column()) {
    case Kind:
        return StoreField::all()[std::size_t(row.field)].label;
    case Id:
        return sorting ? QVariant(double(row.id)) : QVariant(row.id);
    case Old:
        return sorting ? valueSortKey(row, row.oldValue) : row.oldValue;
    case New:
        return sorting ? valueSortKey(row, row.newValue) : row.newValue;
    case Percent:
        return row.percent ? QVariant(ChangePreview::shownPercent(*row.percent)) : QVariant();
    }
    return {};
}

QVariant PreviewTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return ChangePreview::columnNames().at(section);
}

bool PreviewTableModel::sortsBefore(const QVariant& left, const QVariant& right)
{
    const int leftRank = keyRank(left);
    const int rightRank = keyRank(right);
    if (leftRank != rightRank)
        return leftRank < rightRank;
    if (leftRank == 1)
        return left.toDouble() < right.toDouble();
    return leftRank == 2 && left.toString() < right.toString();
}
