#include "CsvFileSeries.h"

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

void CsvFileSeries::writeRow(const QString& line)
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
    writeLine(QChar(0xFEFF) + m_headerLine);
}

// One piece per line: a file cut short by a full disk ends after its last whole line.
void CsvFileSeries::writeLine(const QString& line)
{
    QByteArray bytes = line.toUtf8();
    bytes += "\r\n";
    m_file->write(bytes);
    ++m_linesInFile;
}
