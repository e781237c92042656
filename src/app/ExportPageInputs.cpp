#include "ExportPageInputs.h"

#include <QListWidget>

namespace ExportPageInputs {

std::vector<BrandEntry> brandEntries(const QListWidget* brandList)
{
    std::vector<BrandEntry> entries;
    entries.reserve(size_t(brandList->count()));
    for (int i = 0; i < brandList->count(); ++i) {
        const QListWidgetItem* item = brandList->item(i);
        entries.push_back(
            {item->data(Qt::UserRole).toInt(), item->text(), item->checkState() == Qt::Checked});
    }
    return entries;
}

QStringList tickedTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            texts << list->item(i)->text();
    return texts;
}

} // namespace ExportPageInputs
