#pragma once

#include "import/ChangePreview.h"

#include <QAbstractTableModel>

// The changed values of a preview as a table: kind, id, old value, new value, change in percent.
// Its sort role gives numbers where the values are numbers, so that 9.99 sorts before 10.0.
class PreviewTableModel : public QAbstractTableModel
{
public:
    // The role that sorts: a double for a number (ids, prices, stock, percent), else the text.
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<ChangePreview::ChangedRow> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The order of two sort keys: nothing first, then numbers by value, then texts.
    static bool sortsBefore(const QVariant& left, const QVariant& right);

private:
    std::vector<ChangePreview::ChangedRow> m_rows;
};
