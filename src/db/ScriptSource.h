#pragma once

#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

struct TextEncoding;

// A script file read block by block as text: a byte-order mark (UTF-16 LE or BE, UTF-8)
// decides the encoding; without one, a file that is valid UTF-8 from end to end is UTF-8 and
// anything else is read with legacyCodePage. It also tells how many bytes of the file a
// stretch of text took.
class ScriptSource
{
public:
    // Throws AppError when the file cannot be opened or read.
    ScriptSource(const QString& fileName, qsizetype blockSize, const QByteArray& legacyCodePage);

    qint64 size() const { return m_size; }
    bool atEnd() const { return m_file.atEnd(); }
    // The next block, decoded; throws AppError when the file cannot be read.
    QString read();
    // Bytes of the file that hold its first charCount characters; charCount never goes back.
    qint64 bytesBefore(qint64 charCount);

private:
    TextEncoding chooseEncoding(const QByteArray& legacyCodePage);
    void throwReadError() const;

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
