#include "ScriptSource.h"

#include "platform/AppError.h"
#include "platform/RegularFile.h"
#include "platform/TextDecoding.h"

ScriptSource::ScriptSource(const QString& fileName, qsizetype blockSize, const QByteArray& legacyCodePage)
    : m_fileName(fileName), m_file(fileName), m_blockSize(blockSize)
{
    // A pipe would keep the run waiting for a writer that may never come.
    QString error;
    if (!openRegularFile(m_file, error))
        throw AppError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, error));
    m_size = m_file.size();

    const TextEncoding encoding = chooseEncoding(legacyCodePage);
    m_decoder = QStringDecoder(encoding.name.constData());
    m_encoder = QStringEncoder(encoding.name.constData());
    if (!m_decoder.isValid() || !m_encoder.isValid()) {
        m_decoder = QStringDecoder(QStringConverter::Latin1);
        m_encoder = QStringEncoder(QStringConverter::Latin1);
    }
    m_file.skip(encoding.bomLength);
    m_countedBytes = encoding.bomLength;
}

// A first pass over the whole file: accented letters far into a legacy file must not be
// taken for broken UTF-8.
TextEncoding ScriptSource::chooseEncoding(const QByteArray& legacyCodePage)
{
    const TextEncoding encoding =
        wholeFileEncoding(readingOf(m_file, [this] { throwReadError(); }), legacyCodePage);
    if (!m_file.seek(0))
        throwReadError();
    return encoding;
}

void ScriptSource::throwReadError() const
{
    throw AppError(QStringLiteral("Cannot read file \"%1\". %2").arg(m_fileName, m_file.errorString()));
}

QString ScriptSource::read()
{
    const QByteArray bytes = m_file.read(m_blockSize);
    if (m_file.error() != QFileDevice::NoError)
        throwReadError();
    const QString text = m_decoder.decode(bytes);
    m_uncounted.remove(0, m_uncountedFrom);
    m_uncountedFrom = 0;
    m_uncounted.append(text);
    return text;
}

qint64 ScriptSource::bytesBefore(qint64 charCount)
{
    const qsizetype count =
        qsizetype(qBound<qint64>(0, charCount - m_countedChars, m_uncounted.size() - m_uncountedFrom));
    const QByteArray bytes = m_encoder.encode(QStringView(m_uncounted).sliced(m_uncountedFrom, count));
    m_uncountedFrom += count;
    m_countedChars += count;
    // Bytes that did not decode cleanly may encode to more than they were.
    m_countedBytes = qMin(m_countedBytes + bytes.size(), m_file.pos());
    return m_countedBytes;
}
