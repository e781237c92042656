#include "BenchUi.h"

#include <cstdio>

void BenchUi::message(const QString& text)
{
    ++complaints;
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
}

void BenchUi::errorBox(const QString& text)
{
    ++complaints;
    std::fprintf(stderr, "error: %s\n", qPrintable(text));
}
