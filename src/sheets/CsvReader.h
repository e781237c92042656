#pragma once

#include "SpreadsheetReader.h"
#include "platform/TextDecoding.h"

#include <QDateTime>
#include <utility>

// Reads delimited text as a spreadsheet program opens a .csv file. The separator is the one
// of ";", "," and tab that the header line uses most outside quotes (a first line "sep=X"
// names it instead). Quoted cells may hold doubled quotes, separators and line breaks,
// which are kept as written. The encoding is chosen as chooseFileEncoding does, with the
// given code page for older files.
// The file is never held whole: open() reads it through once for its encoding and extent,
// and every rows() reads it again piece by piece, so that memory does not grow with its rows.
class CsvReader : public SpreadsheetReader
{
public:
    // A record (a line, or more where a quoted cell holds line breaks) beyond this many
    // characters is refused: a price list's lines are a few hundred characters, an SEO text a
    // few thousand.
    static constexpr qsizetype LongestRecord = qsizetype(32) << 20;

    explicit CsvReader(QByteArray legacyCodePage = localeLegacyCodePage())
        : m_legacyCodePage(std::move(legacyCodePage))
    {
    }

    void open(const QString& path) override;
    SheetExtent extent() const override { return m_extent; }
    std::unique_ptr<SheetRows> rows() const override;
    void close() override;
    std::optional<FileEncoding> textEncoding() const override { return m_encoding; }

private:
    QByteArray m_legacyCodePage;
    QString m_path;
    // What the file was when opened: rows read from a file saved anew since would not match
    // its extent and encoding.
    std::pair<qint64, QDateTime> m_stamp; // size and time of the last change
    SheetExtent m_extent;
    std::optional<FileEncoding> m_encoding;
};
