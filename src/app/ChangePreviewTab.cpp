#include "ChangePreviewTab.h"

#include "PreviewTableModel.h"
#include "import/ImportOutcome.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Sorts by the table's sort keys: numbers as numbers, texts as texts.
class PreviewSorting : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        return PreviewTableModel::sortsBefore(left.data(PreviewTableModel::SortRole),
                                              right.data(PreviewTableModel::SortRole));
    }
};

} // namespace

ChangePreviewTab::ChangePreviewTab(QWidget* parent)
    : QWidget(parent), m_summary(new QPlainTextEdit(this)), m_table(new QTableView(this)),
      m_model(new PreviewTableModel(this)), m_sorted(new PreviewSorting(this))
{
    setObjectName(QStringLiteral("PreviewTab"));
    m_summary->setObjectName(QStringLiteral("PreviewSummary"));
    m_summary->setAccessibleName(QStringLiteral("What the script will change"));
    m_summary->setReadOnly(true);
    m_summary->setMaximumHeight(m_summary->fontMetrics().lineSpacing() * 10);
    m_sorted->setSourceModel(m_model);
    m_table->setObjectName(QStringLiteral("PreviewTable"));
    m_table->setAccessibleName(QStringLiteral("Changed values"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder); // the script's order until a column is chosen
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
}

void ChangePreviewTab::showOutcome(ImportOutcome outcome)
{
    m_summary->setPlainText(outcome.previewLines().join(u'\n'));
    m_model->setRows(std::move(outcome.review.preview.rows));
}

void ChangePreviewTab::clear()
{
    m_summary->clear();
    m_model->setRows({});
}
