#pragma once

#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// A script file read block by block as text: a byte-order mark (UTF-16 LE or BE, UTF-8)
// decides the encoding; without one, valid UTF-8 is UTF-8 and anything else a legacy
// 8-bit code page. It also tells how many bytes of the file a stretch of text took.
class ScriptSource
{
public:
    // Throws AppError when the file cannot be opened.
    ScriptSource(const QString& fileName, qsizetype blockSize);

    qint64 size() const { return m_size; }
    bool atEnd() const { return m_file.atEnd(); }
    // The next block, decoded; throws AppError when the file cannot be read.
    QString read();
    // Bytes of the file that hold its first charCount characters; charCount never goes back.
    qint64 bytesBefore(qint64 charCount);

private:
    QString m_fileName;
    QFile m_file;
    qsizetype m_blockSize;
    qint64 m_size = 0;
    QStringDecoder m_decoder;
    QStringEncoder m_encoder;

    // Text read but not yet counted in bytes, from m_uncountedFrom on.
    QString m_uncounted;
    qsizetype m_uncountedFrom = 0;
    qint64 m_countedChars = 0;
    qint64 m_countedBytes = 0;
};
