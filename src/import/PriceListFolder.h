#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The files of the price-list folder, as full paths (folder + separator + name), in the
// natural order of their names ("list2" before "list10"), so that one folder always gives one
// script; subfolders are skipped, hidden files listed.
// Nothing when the path is blank; throws CheckFailure when the folder does not exist.
std::optional<QStringList> listPriceListFiles(const QString& pathText);

// Natural order of file names: runs of digits by their value, letters without regard to case.
bool naturalLess(const QString& a, const QString& b);
