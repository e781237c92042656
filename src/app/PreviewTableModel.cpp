#include "PreviewTableModel.h"

namespace {
enum Column { Kind, Id, Old, New, Percent, ColumnCount };
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
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const ChangePreview::ChangedRow& row = m_rows[std::size_t(index.row())];
    switch (index.column()) {
    case Kind:
        return StoreField::all()[std::size_t(row.field)].label;
    case Id:
        return row.id;
    case Old:
        return row.oldValue;
    case New:
        return row.newValue;
    case Percent:
        return row.percent ? QVariant(std::round(*row.percent * 10) / 10) : QVariant();
    }
    return {};
}

QVariant PreviewTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Kind:
        return QStringLiteral("Kind");
    case Id:
        return QStringLiteral("Id");
    case Old:
        return QStringLiteral("Old value");
    case New:
        return QStringLiteral("New value");
    case Percent:
        return QStringLiteral("Change %");
    }
    return {};
}
