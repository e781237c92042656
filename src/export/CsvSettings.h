#pragma once

#include <QString>

// What every export run reads from the EXPORT page before it writes anything.
struct CsvSettings
{
    // The texts of the page's controls, as the operator left them.
    struct Texts
    {
        QString path;
        QString rowLimit;
        QString separator;        // the chosen entry: ";", "," or "TAB"
        QString decimalSeparator; // the chosen entry: "," or "."
    };

    QString folder;                 // ends with the platform's path separator
    int rowLimit = DefaultRowLimit; // lines per file, the header included
    QString separator = QStringLiteral(";");
    QString decimalSeparator = QStringLiteral(".");

    static constexpr int DefaultRowLimit = 10000;

    // Checks the path first; a failed check throws CheckFailure, so the run does not start
    // and no file is written.
    static CsvSettings read(const Texts& texts);
};
