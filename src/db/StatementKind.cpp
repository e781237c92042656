#include "StatementKind.h"

#include <QStringList>

namespace {

// The text after blanks and comments at the start; an executable comment is not passed over.
QStringView afterComments(QStringView text)
{
    for (;;) {
        text = text.trimmed();
        if (text.startsWith(u"/*") && !text.startsWith(u"/*!")) {
            const qsizetype end = text.indexOf(u"*/", 2);
            if (end < 0)
                return {};
            text = text.mid(end + 2);
        } else if (text.startsWith(u'#') || text.startsWith(u"-- ") || text.startsWith(u"--\t") ||
                   text.startsWith(u"--\r") || text.startsWith(u"--\n") || text == u"--") {
            const qsizetype end = text.indexOf(u'\n');
            if (end < 0)
                return {};
            text = text.mid(end + 1);
        } else {
            return text;
        }
    }
}

} // namespace

StatementKind statementKind(QStringView statement)
{
    const QStringView text = afterComments(statement);
    qsizetype length = 0;
    while (length < text.size() && text[length].isLetter())
        ++length;
    const QStringView word = text.first(length);
    const auto is = [&](QStringView keyword) { return word.compare(keyword, Qt::CaseInsensitive) == 0; };
    if (is(u"UPDATE") || is(u"INSERT") || is(u"DELETE") || is(u"REPLACE"))
        return StatementKind::DataChange;
    if (is(u"COMMIT") && text.mid(length).trimmed().isEmpty())
        return StatementKind::Commit;
    return StatementKind::Other;
}
