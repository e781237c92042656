#include "IniFile.h"

#include "platform/AppError.h"
#include "platform/TextDecoding.h"
#include "platform/WholeNumber.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

struct Document
{
    QStringList lines;
    TextEncoding encoding = utf8Encoding();
    QString lineEnd = QStringLiteral("\r\n");
    bool exists = false;
};

Document load(const QString& path, const QByteArray& legacyCodePage)
{
    Document doc;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return doc;
    const QByteArray bytes = file.readAll();
    doc.exists = true;
    doc.encoding = wholeFileEncoding(bytes, legacyCodePage);
    QString text = decodeText(bytes, doc.encoding);
    if (!text.contains(QStringLiteral("\r\n")) && text.contains(u'\n'))
        doc.lineEnd = QStringLiteral("\n");
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    doc.lines = text.split(u'\n');
    if (!doc.lines.isEmpty() && doc.lines.last().isEmpty())
        doc.lines.removeLast();
    return doc;
}

void save(const QString& path, const Document& doc)
{
    QString text;
    for (const QString& line : doc.lines)
        text += line + doc.lineEnd;
    QByteArray bytes = encodeText(text, doc.encoding);
    // Rather than lose a character the file's code page lacks, or be read back as UTF-8 once
    // a write left only bytes that happen to form UTF-8, the file changes to UTF-8 with a BOM.
    if (decodeText(bytes, wholeFileEncoding(bytes, doc.encoding.name)) != text)
        bytes = encodeText(text, TextEncoding{"UTF-8", 3});
    const auto refused = [&] { return AppError(QStringLiteral("Unable to write to %1").arg(path)); };
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw refused();
    // It may hold a password in clear text: readable by its owner alone, an older file too. Only
    // a file written in place that belongs to someone else keeps its mode; that is its owner's call.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) < 0 || !file.commit())
        throw refused();
}

std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']', 1);
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Lines [first, end) of the section's body, or nothing when the section is missing.
std::optional<std::pair<qsizetype, qsizetype>> findSection(const Document& doc, const QString& section)
{
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        const auto name = sectionName(doc.lines[i]);
        if (!name || !sameName(*name, section))
            continue;
        qsizetype end = i + 1;
        while (end < doc.lines.size() && !sectionName(doc.lines[end]))
            ++end;
        return std::make_pair(i + 1, end);
    }
    return std::nullopt;
}

qsizetype findKey(const Document& doc, qsizetype first, qsizetype end, const QString& key)
{
    for (qsizetype i = first; i < end; ++i) {
        const qsizetype eq = doc.lines[i].indexOf(u'=');
        if (eq >= 0 && sameName(doc.lines[i].left(eq), key))
            return i;
    }
    return -1;
}

QString unquote(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

IniFile::IniFile(QString path, QByteArray legacyCodePage)
    : m_path(std::move(path)), m_legacyCodePage(std::move(legacyCodePage))
{
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Document doc = load(m_path, m_legacyCodePage);
    const auto range = findSection(doc, section);
    if (!range)
        return defaultValue;
    const qsizetype line = findKey(doc, range->first, range->second, key);
    if (line < 0)
        return defaultValue;
    const QString& text = doc.lines[line];
    return unquote(text.mid(text.indexOf(u'=') + 1));
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    return parseWholeNumber(readString(section, key)).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& rawValue)
{
    // Readers trim blanks and drop one pair of quotes: such a value is quoted so that it reads back as
    // written.
    const bool needsQuotes = rawValue != rawValue.trimmed() || unquote(rawValue) != rawValue.trimmed();
    const QString value = needsQuotes ? u'"' + rawValue + u'"' : rawValue;
    Document doc = load(m_path, m_legacyCodePage);
    const QString line = key + u'=' + value;
    if (const auto range = findSection(doc, section)) {
        const qsizetype at = findKey(doc, range->first, range->second, key);
        if (at >= 0) {
            doc.lines[at] = doc.lines[at].left(doc.lines[at].indexOf(u'=')).trimmed() + u'=' + value;
        } else {
            qsizetype insertAt = range->second;
            while (insertAt > range->first && doc.lines[insertAt - 1].trimmed().isEmpty())
                --insertAt;
            doc.lines.insert(insertAt, line);
        }
    } else {
        doc.lines << u'[' + section + u']' << line;
    }
    save(m_path, doc);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::eraseSection(const QString& section)
{
    Document doc = load(m_path, m_legacyCodePage);
    const auto range = findSection(doc, section);
    if (!range)
        return;
    doc.lines.remove(range->first - 1, range->second - range->first + 1);
    save(m_path, doc);
}
