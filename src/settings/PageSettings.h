#pragma once

#include "platform/TextDecoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

class IniFile;

// The EXPORT and IMPORT page settings that live between sessions.
struct PageSettings
{
    static constexpr int ExportColumnCount = 8;
    static constexpr int SeoColumnCount = 15;
    static constexpr int SeoCategoryIdColumn = 9;

    int decimalSeparator = 0; // index into decimalSeparatorEntries(); -1 when nothing is chosen
    int listSeparator = 0;    // index into listSeparatorEntries()
    QString maxRowInCsv = QStringLiteral("10000");
    QString folderToExport;
    QString folderToImport;
    QByteArray codePageOfOlderFiles = localeLegacyCodePage(); // one of legacyCodePages()
    QString matchRowsBy = QStringLiteral("IDPART");           // or "TRADENUMBER"
    int warnPriceChangePercent = 50;                          // 0: no warning
    bool warnPriceBecomesZero = true;
    std::array<bool, ExportColumnCount> exportColumns{};
    std::array<bool, SeoColumnCount> seoColumns{};
    std::array<bool, 5> checkToSeo{}; // CheckBox2 to CheckBox6
    bool seoExportExisting = true;    // "Export existing data", else "Generating a default data"

    // The entries of the EXPORT page's separator lists, in the order the indices count.
    static const QStringList& decimalSeparatorEntries(); // "," "."
    static const QStringList& listSeparatorEntries();    // ";" "," "TAB"
    QString decimalSeparatorText() const { return decimalSeparatorEntries().value(decimalSeparator); }
    QString listSeparatorText() const { return listSeparatorEntries().value(listSeparator); }

    static PageSettings load(const IniFile& file);
    // Writes key by key; a refused write throws and leaves the keys before it written.
    void save(IniFile& file) const;

    // The record identifiers are always ticked.
    void tickIdentifierColumns();
};
