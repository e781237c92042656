#pragma once

#include "import/ChangePreview.h"

#include <QAbstractTableModel>
#include <cmath>

// The changed values of a preview as a table: kind, id, old value, new value, change in percent.
// Id and percent are numbers, so that a sorting view sorts them as numbers.
class PreviewTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<ChangePreview::ChangedRow> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ChangePreview::ChangedRow> m_rows;
};
