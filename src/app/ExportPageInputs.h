#pragma once

#include "export/BrandEntry.h"

#include <QStringList>
#include <vector>

class QListWidget;

// What the export runs read from the EXPORT page's controls when they start.
namespace ExportPageInputs {

// Every entry of the brand list, in list order.
std::vector<BrandEntry> brandEntries(const QListWidget* brandList);
// The texts of the ticked entries of a column list, in list order.
QStringList tickedTexts(const QListWidget* list);

} // namespace ExportPageInputs
