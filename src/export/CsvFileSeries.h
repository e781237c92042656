#pragma once

#include "platform/OutputFile.h"

#include <QString>
#include <optional>

// A numbered series of CSV files (folder, base name, number, ".csv") that all begin with the
// same header line; the next file starts once the current one holds the row limit of lines.
// Every file starts with a UTF-8 byte-order mark, so that a spreadsheet program on Windows
// reads it as UTF-8, and every line ends with CR LF. Files of an earlier run beyond the last
// number written stay as they are. When the disk fills up, the file being written is cut
// back to its last whole line and the failure names it.
class CsvFileSeries
{
public:
    // folder ends with a path separator; rowLimit counts the header line too.
    CsvFileSeries(QString folder, QString baseName, QString headerLine, int rowLimit);

    // Creates file 1, replacing one of that name, and writes the header.
    void begin();
    // line comes in UTF-8 without its line end. A limit of 1 or less starts a file before every row.
    void writeRow(QByteArrayView line);
    int fileNumber() const { return m_fileNumber; }
    QString filePath(int number) const;

    // Writes out and closes the current file, reporting failures: the end of a run that
    // completed, so that a failed last write is not taken for success.
    void close();
    // Closes the current file, ignoring failures: the clean-up of a run however it ends.
    void finish() noexcept;

private:
    void startFile(int number);
    void writeLine(QByteArrayView line);

    QString m_folder;
    QString m_baseName;
    QString m_headerLine;
    int m_rowLimit;
    int m_fileNumber = 0;
    int m_linesInFile = 0;
    QByteArray m_line; // reused for every line, so that a row costs no allocation
    std::optional<OutputFile> m_file;
};
