#include "PriceListFolder.h"

#include "platform/CheckFailure.h"
#include "platform/FolderPath.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

bool naturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            // Runs of digits compare by their value: leading zeros dropped, then length, then digits.
            const auto run = [](const QString& s, qsizetype& k) {
                const qsizetype start = k;
                while (k < s.size() && s[k].isDigit())
                    ++k;
                QStringView digits = QStringView(s).mid(start, k - start);
                while (digits.size() > 1 && digits.front() == u'0')
                    digits = digits.mid(1);
                return digits;
            };
            const QStringView x = run(a, i);
            const QStringView y = run(b, j);
            if (x.size() != y.size())
                return x.size() < y.size();
            if (const int c = x.compare(y); c != 0)
                return c < 0;
            continue;
        }
        if (const int c = QStringView(a).mid(i, 1).compare(QStringView(b).mid(j, 1), Qt::CaseInsensitive);
            c != 0)
            return c < 0;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    // Names equal but for letter case or leading zeros still get one fixed order.
    return a < b;
}

std::optional<QStringList> listPriceListFiles(const QString& pathText)
{
    if (pathText.trimmed().isEmpty())
        return std::nullopt;
    const QString path = withTrailingSeparator(pathText);
    if (!QFileInfo(path).isDir())
        throw CheckFailure(QStringLiteral("path to the specified folder [") + path +
                           QStringLiteral("] does not exist !"));
    // A folder that cannot be read would list as empty: a script of nothing that passes for done.
    if (!QFileInfo(path).isReadable() || !QFileInfo(path).isExecutable())
        throw CheckFailure(QStringLiteral("cannot read the folder [") + path + QStringLiteral("] !"));
    QStringList files;
    const QDir folder(path);
    QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    std::sort(names.begin(), names.end(), naturalLess);
    for (const QString& name : names)
        files << path + name;
    return files;
}
