#include "CsvFileSeries.h"

namespace {
const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
}

CsvFileSeries::CsvFileSeries(QString folder, QString baseName, QString headerLine, int rowLimit)
    : m_folder(std::move(folder)), m_baseName(std::move(baseName)), m_headerLine(std::move(headerLine)),
      m_rowLimit(rowLimit)
{
}

QString CsvFileSeries::filePath(int number) const
{
    return m_folder + m_baseName + QString::number(number) + QStringLiteral(".csv");
}

void CsvFileSeries::begin()
{
    startFile(1);
}

void CsvFileSeries::writeRow(QByteArrayView line)
{
    if (m_linesInFile >= m_rowLimit) {
        close();
        startFile(m_fileNumber + 1);
    }
    writeLine(line);
}

void CsvFileSeries::close()
{
    if (m_file) {
        m_file->close();
        m_file.reset();
    }
}

void CsvFileSeries::finish() noexcept
{
    m_file.reset();
}

void CsvFileSeries::startFile(int number)
{
    m_fileNumber = number;
    m_linesInFile = 0;
    m_file.emplace(filePath(number));
    // The mark goes with the header line, so that a full disk never leaves a file of a mark alone.
    writeLine(Utf8Bom + m_headerLine.toUtf8());
}

// One piece per line: a file cut short by a full disk ends after its last whole line.
void CsvFileSeries::writeLine(QByteArrayView line)
{
    m_line.clear();
    m_line.append(line);
    m_line.append("\r\n");
    m_file->write(m_line);
    ++m_linesInFile;
}
