#pragma once

#include <QByteArray>
#include <QString>

// A price list in an older code page whose texts look read in the wrong one: they hold control
// characters, or the detector's code page reads them as likelier text. Said before the
// question, which then advises against the run.
struct EncodingDoubt
{
    QString file;
    QByteArray used;
    QByteArray suggested; // empty when the detector has no other code page
    bool controlCharacters = false;

    QString line() const
    {
        const QString why = controlCharacters
                                ? QStringLiteral("its texts hold control characters")
                                : QStringLiteral("the detector's code page reads its texts as likelier text");
        const QString suggestion =
            suggested.isEmpty() ? QStringLiteral("the detector has no other suggestion")
                                : QStringLiteral("the detector suggests ") + QString::fromLatin1(suggested);
        return QStringLiteral(
                   "The file [%1] was read in %2, but %3; %4: check the setting \"Code page of older "
                   "files\".")
            .arg(file, QString::fromLatin1(used), why, suggestion);
    }
};
