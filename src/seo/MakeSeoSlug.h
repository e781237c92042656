#pragma once

#include <QString>

// The slug of a text: blanks become "-", the text is taken as UTF-8 bytes, every byte other
// than an ASCII letter, a digit or one of ! $ ' ( ) * - . _ @ is written as "%" and two
// lower-case hexadecimal digits, and the letters are made lower case.
QString makeSeoSlug(const QString& text);
