#pragma once

#include <QWidget>

class PreviewTableModel;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QTableView;
struct ImportOutcome;

// The IMPORT page's tab that shows what the update script will change before the operator
// is asked to run it: the counts, the largest price changes, the skipped ids and the slug
// collisions as text,
// and every changed value in a table that sorts by any column.
class ChangePreviewTab : public QWidget
{
public:
    explicit ChangePreviewTab(QWidget* parent = nullptr);

    // Takes the review's changed values over, so that the table's model does not copy them.
    void showOutcome(ImportOutcome outcome);
    void clear();

private:
    QPlainTextEdit* m_summary;
    QTableView* m_table;
    PreviewTableModel* m_model;
    QSortFilterProxyModel* m_sorted;
};
