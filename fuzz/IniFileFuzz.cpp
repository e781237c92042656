// Reads arbitrary bytes as a settings file, writes one value and checks that it reads back
// as written while every other value stays as it was.
#include "FuzzFile.h"
#include "platform/TextDecoding.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

struct Entry
{
    QString section;
    QString key;
};

// The section and key of every "key=value" line, as far as a plain reading finds them.
QList<Entry> entries(const QString& text)
{
    QList<Entry> found;
    QString section;
    for (const QString& line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'['))
            section = trimmed.mid(1, trimmed.indexOf(u']') - 1);
        else if (trimmed.contains(u'=') && !section.isEmpty())
            found.append({section, trimmed.left(trimmed.indexOf(u'='))});
    }
    return found.mid(0, 16);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // In memory where the system has a memory file system: every write of the settings file
    // syncs it to its disk, which on a real disk would cost most of the run.
    static QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm/velmora-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/velmora-fuzz-XXXXXX"));
    if (size < 1)
        return 0;
    // The first byte picks the value to write: printable ASCII, which any code page holds.
    QString value;
    for (unsigned bits = data[0], i = 0; i < 4; ++i, bits = bits * 37u + 11u)
        value += QChar(char16_t(u' ' + bits % 95));
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString path = folder.filePath("settings.ini");
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
          "write input");
    file.close();

    // A code page in which every byte is a character, so that any file without a byte-order
    // mark that is not UTF-8 is read whole, as the settings file reads it.
    const QByteArray legacyCodePage = "windows-1251";
    IniFile ini(path, legacyCodePage);
    const QList<Entry> others = entries(decodeText(bytes, wholeFileEncoding(bytes, legacyCodePage)));
    QStringList before;
    for (const Entry& e : others)
        before.append(ini.readString(e.section, e.key, "\x01missing"));
    ini.writeString("Fuzz", "Value", value);
    check(ini.readString("Fuzz", "Value") == value, "written value reads back otherwise");
    for (qsizetype i = 0; i < others.size(); ++i) {
        const Entry& e = others[i];
        if (e.section.trimmed().compare(u"Fuzz", Qt::CaseInsensitive) == 0)
            continue;
        check(ini.readString(e.section, e.key, "\x01missing") == before[i], "another value changed");
    }
    ini.readInteger("Fuzz", "Value", 0);
    return 0;
}
