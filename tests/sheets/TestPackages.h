#pragma once

#include "sheets/SpreadsheetReader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct TestZipMember
{
    QString name;
    QByteArray data;
    bool deflated = true;
    // When size is set, data is deflated already and inflates to size bytes of that CRC-32
    // (or claims to: the archive directory says whatever these say).
    qint64 size = -1;
    quint32 crc = 0;
};

// A deflated member whose data is head, count times filler, then tail; the whole is never
// in memory, so it may inflate to gigabytes.
TestZipMember repeatingMember(const QString& name, const QByteArray& head, const QByteArray& filler,
                              int count, const QByteArray& tail);

// A ZIP archive in memory, members in the order given.
QByteArray makeZip(const QList<TestZipMember>& members);

// A workbook relationship element; type is the last segment of the type URI ("worksheet").
QByteArray workbookRelationship(const QByteArray& id, const QByteArray& type, const QByteArray& target);

// A worksheet part with the inner XML of <sheetData>.
TestZipMember worksheetPart(const QString& name, const QByteArray& sheetData);

// A package whose main part (what the package is about) is the given member.
QByteArray makeOfficePackage(const TestZipMember& mainPart);

// An xlsx package with one worksheet: the inner XML of <sheetData> and, when given, the
// <si> items of the shared strings.
QByteArray makeXlsx(const QByteArray& sheetData, const QByteArray& sharedStrings = {});

// An xlsx package from the inner XML of <sheets> and the workbook relationships; parts
// are the members to add (worksheets and the like). The package's own parts are deflated
// unless deflated is false, which makes the package quicker to build.
QByteArray makeXlsxWorkbook(const QByteArray& sheets, const QByteArray& relationships,
                            const QList<TestZipMember>& parts, bool deflated = true);

// An ods package from the inner XML of <office:spreadsheet>.
QByteArray makeOds(const QByteArray& spreadsheet);

// The first worksheet of data/sample.*, as LibreOffice saved it from sample.fods. Formats
// other than ods store the computed truth value in E4 as a number.
QStringList sampleSheetRows(const QString& computedTruthValue);

// A row as "type:text" cells joined by "|": "n:12.5|t:abc|b:TRUE|e:#N/A|" (empty cells are "").
QString describeRow(const QList<SpreadsheetCell>& cells);
// Every row of the extent, described and padded with empty cells to the extent's width.
QStringList describeSheet(const SpreadsheetReader& reader);
