#pragma once

#include <QString>

// A folder's path as the operator typed or chose it, ending with a path separator so that a
// file name can follow; one already there, native or "/", is kept.
QString withTrailingSeparator(const QString& folder);
