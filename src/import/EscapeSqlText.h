#pragma once

#include <QString>

// Makes a text safe inside a single-quoted MySQL string (with backslash escapes, which the
// session keeps on whatever the server's mode).
QString escapeSqlText(const QString& text);
