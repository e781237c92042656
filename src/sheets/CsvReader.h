#pragma once

#include "SheetGridReader.h"
#include "platform/TextDecoding.h"

// Reads delimited text as a spreadsheet program opens a .csv file. The separator is the one
// of ";", "," and tab that the header line uses most outside quotes (a first line "sep=X"
// names it instead). Quoted cells may hold doubled quotes, separators and line breaks,
// which are kept as written. The encoding is chosen as chooseFileEncoding does, with the
// given code page for older files.
class CsvReader : public SheetGridReader
{
public:
    explicit CsvReader(QByteArray legacyCodePage = localeLegacyCodePage())
        : m_legacyCodePage(std::move(legacyCodePage)) {}

    void open(const QString& path) override;
    std::optional<FileEncoding> textEncoding() const override { return m_encoding; }

private:
    QByteArray m_legacyCodePage;
    std::optional<FileEncoding> m_encoding;
};
