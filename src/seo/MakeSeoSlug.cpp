#include "MakeSeoSlug.h"

#include <QByteArray>

namespace {

bool keptAsItIs(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           QByteArrayView("!$'()*-._@").contains(c);
}

} // namespace

QString makeSeoSlug(const QString& text)
{
    static constexpr char Hex[] = "0123456789abcdef";
    const QByteArray bytes = QString(text).replace(u' ', u'-').toUtf8();
    QByteArray slug;
    slug.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        if (keptAsItIs(c)) {
            slug += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            slug += '%';
            slug += Hex[byte >> 4];
            slug += Hex[byte & 0x0F];
        }
    }
    return QString::fromLatin1(slug).toLower();
}
