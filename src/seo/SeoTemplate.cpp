#include "SeoTemplate.h"

#include "platform/AppError.h"
#include "platform/AppPlaces.h"
#include "platform/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString withCrLfLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

// Blanks and control characters only; a no-break space is text.
QString trimmedControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

QString seoTemplateFileName(SeoTemplateFile file)
{
    switch (file) {
    case SeoTemplateFile::ProductShortDescription:
        return QStringLiteral("GetData_product_s_desc.txt");
    case SeoTemplateFile::ProductMetaDescription:
        return QStringLiteral("GetData_product_metadesc.txt");
    case SeoTemplateFile::ProductTitle:
        return QStringLiteral("GetData_product_customtitle.txt");
    case SeoTemplateFile::CategoryMetaDescription:
        return QStringLiteral("GetData_category_metadesc.txt");
    case SeoTemplateFile::CategoryTitle:
        return QStringLiteral("GetData_category_customtitle.txt");
    }
    return {};
}

QString seoTemplatePath(const QString& fileName)
{
    return QDir(AppPlaces::dataFolder()).filePath(fileName);
}

SeoTemplate readSeoTemplate(const QString& fileName)
{
    const QString path = seoTemplatePath(fileName);
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return {};
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(QStringLiteral("Unable to read ") + path + QStringLiteral(": ") + file.errorString());
    return trimmedControls(withCrLfLineEnds(decodeText(bytes)));
}
