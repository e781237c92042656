#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The files of the price-list folder, as full paths (folder + separator + name), in the
// order the file system gives them; subfolders are skipped, hidden files listed.
// Nothing when the path is blank; throws CheckFailure when the folder does not exist.
std::optional<QStringList> listPriceListFiles(const QString& pathText);
