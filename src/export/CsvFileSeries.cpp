#include "CsvFileSeries.h"

namespace {
constexpr char Utf8Bom[] = "\xEF\xBB\xBF";
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
    m_file->write(Utf8Bom);
    writeLine(m_headerLine.toUtf8());
}

void CsvFileSeries::writeLine(QByteArrayView line)
{
    m_file->write(line);
    m_file->write("\r\n");
    ++m_linesInFile;
}
