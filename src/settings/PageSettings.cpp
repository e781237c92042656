#include "PageSettings.h"

#include "IniFile.h"
#include "SettingsFile.h"

#include <algorithm>

using namespace SettingsFile;

const QStringList& PageSettings::decimalSeparatorEntries()
{
    static const QStringList entries = {QStringLiteral(","), QStringLiteral(".")};
    return entries;
}

const QStringList& PageSettings::listSeparatorEntries()
{
    static const QStringList entries = {QStringLiteral(";"), QStringLiteral(","), QStringLiteral("TAB")};
    return entries;
}

PageSettings PageSettings::load(const IniFile& file)
{
    const QString& exp = PageExport;
    PageSettings s;
    s.decimalSeparator = file.readInteger(exp, DecimalSeparator, 0);
    s.listSeparator = file.readInteger(exp, ListSeparator, 0);
    s.maxRowInCsv = file.readString(exp, MaxRowInCSV, DefaultMaxRowInCSV);
    s.folderToExport = file.readString(exp, FolderToExport);
    s.folderToImport = file.readString(PageImport, FolderToImport);
    const QByteArray codePage = file.readString(PageImport, CodePageOfOlderFiles).toLatin1();
    if (legacyCodePages().contains(codePage))
        s.codePageOfOlderFiles = codePage;
    s.matchRowsBy = file.readString(PageImport, MatchRowsBy, s.matchRowsBy);
    s.warnPriceChangePercent =
        std::max(0, file.readInteger(PageImport, WarnPriceChangePercent, s.warnPriceChangePercent));
    s.warnPriceBecomesZero = file.readBool(PageImport, WarnPriceBecomesZero, s.warnPriceBecomesZero);
    for (int i = 1; i < ExportColumnCount; ++i)
        s.exportColumns[i] = file.readBool(exp, columnForExportKey(i), false);
    for (int i = 1; i < SeoColumnCount; ++i)
        if (i != SeoCategoryIdColumn)
            s.seoColumns[i] = file.readBool(exp, columnForExportSeoKey(i), false);
    for (int n = 1; n <= 5; ++n)
        s.checkToSeo[n - 1] = file.readBool(exp, checkToSeoKey(n), false);
    s.seoExportExisting = file.readBool(exp, SeoExpOrGen, true);
    s.tickIdentifierColumns();
    return s;
}

void PageSettings::save(IniFile& file) const
{
    const QString& exp = PageExport;
    file.writeInteger(exp, DecimalSeparator, decimalSeparator);
    file.writeInteger(exp, ListSeparator, listSeparator);
    file.writeString(exp, MaxRowInCSV, maxRowInCsv);
    file.writeString(exp, FolderToExport, folderToExport);
    file.writeString(PageImport, FolderToImport, folderToImport);
    file.writeString(PageImport, CodePageOfOlderFiles, QString::fromLatin1(codePageOfOlderFiles));
    file.writeString(PageImport, MatchRowsBy, matchRowsBy);
    file.writeInteger(PageImport, WarnPriceChangePercent, warnPriceChangePercent);
    file.writeBool(PageImport, WarnPriceBecomesZero, warnPriceBecomesZero);
    for (int i = 1; i < ExportColumnCount; ++i)
        file.writeBool(exp, columnForExportKey(i), exportColumns[i]);
    for (int i = 1; i < SeoColumnCount; ++i)
        if (i != SeoCategoryIdColumn)
            file.writeBool(exp, columnForExportSeoKey(i), seoColumns[i]);
    for (int n = 1; n <= 5; ++n)
        file.writeBool(exp, checkToSeoKey(n), checkToSeo[n - 1]);
    file.writeBool(exp, SeoExpOrGen, seoExportExisting);
}

void PageSettings::tickIdentifierColumns()
{
    exportColumns[0] = true;
    seoColumns[0] = true;
    seoColumns[SeoCategoryIdColumn] = true;
}
