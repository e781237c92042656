#pragma once

#include <QStringList>

// The fixed column lists of the exports; their index order is the order in the files.
QStringList priceExportColumns();
QStringList seoExportColumns();
