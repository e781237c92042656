#include "SeoSampleFiles.h"

#include "SeoTemplate.h"

#include "platform/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

const QStringList& productBlock()
{
    static const QStringList lines = {
        QStringLiteral("*****************************************************"),
        QStringLiteral("In this file possible substitution of values ..."),
        QStringLiteral("     {IDPART} - id/Sku No of parts"),
        QStringLiteral("     {BRAND} - brand of product"),
        QStringLiteral("     {TRADENUMBER} - trade number of product"),
        QStringLiteral("     {NAMEPART} - name of product"),
        QStringLiteral("... instead of these values will be the substituted trade product value"),
    };
    return lines;
}

QStringList categoryBlock()
{
    const QStringList& product = productBlock();
    return product.first(6) +
           QStringList{QStringLiteral("     {IDCATEGORY} - id of category"),
                       QStringLiteral("     {CATEGORYNAME} - name of category"),
                       QStringLiteral("     {DATACAR} - data of car : brand + model + engine")} +
           product.last(1);
}

struct Sample
{
    QString title; // the file name follows in double quotes
    bool forCategory;
    QString heading;
    QStringList examples;
};

Sample sample(SeoTemplateFile file)
{
    const QString description = QStringLiteral("************* for example description ****************");
    const QString metaDescription =
        QStringLiteral("************* for example meta description ****************");
    const QString titleName = QStringLiteral("************* for example title name ****************");
    const QString productOnPage = QStringLiteral(
        "One from product of this brand {BRAND} is represented on this page : {TRADENUMBER} - {NAMEPART}");
    switch (file) {
    case SeoTemplateFile::ProductShortDescription:
        return {
            QStringLiteral("Sample file with short description of parts"),
            false,
            description,
            {QStringLiteral(
                 "{BRAND} is one of the largest suppliers of products to the vehicle manufacturers "
                 "and the automotive aftermarket."),
             QStringLiteral("{BRAND} strive to offer exceptional customer service and quality products "
                            "exceeding customer expectations."),
             QStringLiteral("With {BRAND} the end user will always receive the same quality that is supplied "
                            "to automotive manufacturers."),
             QStringLiteral(
                 "To ensure that this situation continues indefinitely, {BRAND} submits to regular "
                 "quality audits in compliance with the worldwide standards."),
             productOnPage}};
    case SeoTemplateFile::ProductMetaDescription:
        return {QStringLiteral("Sample file with meta description for parts"),
                false,
                metaDescription,
                {productOnPage}};
    case SeoTemplateFile::ProductTitle:
        return {QStringLiteral("Sample file with title name for parts"),
                false,
                titleName,
                {QStringLiteral(
                    "Title page for {BRAND} is represented on this page : {TRADENUMBER} - {NAMEPART}")}};
    case SeoTemplateFile::CategoryMetaDescription:
        return {
            QStringLiteral("Sample file with meta description for category"),
            true,
            metaDescription,
            {QStringLiteral("One from product categories {CATEGORYNAME} of this brand {BRAND} is represented "
                            "on this page : {TRADENUMBER} - {NAMEPART}"),
             QStringLiteral("Which can be used for car {DATACAR}")}};
    case SeoTemplateFile::CategoryTitle:
        return {QStringLiteral("Sample file with title name for category"),
                true,
                titleName,
                {QStringLiteral("Title page for category {CATEGORYNAME} is represented parts on this page : "
                                "{BRAND} - {TRADENUMBER} - {NAMEPART}")}};
    }
    return {};
}

QByteArray sampleText(SeoTemplateFile file)
{
    const Sample s = sample(file);
    QStringList lines;
    lines << s.title + QStringLiteral(" \"") + seoTemplateFileName(file) + QStringLiteral("\" ");
    lines << (s.forCategory ? categoryBlock() : productBlock());
    lines << QStringLiteral(" ") << s.heading << QStringLiteral(" ") << s.examples;
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text.toUtf8();
}

AppError writeFailure(const QString& path, const QString& reason)
{
    return AppError(QStringLiteral("Unable to write to ") + path + QStringLiteral(": ") + reason);
}

void writeSample(const QString& path, SeoTemplateFile file)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw writeFailure(path, out.errorString());
    const QByteArray bytes = sampleText(file);
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        const QString reason = out.errorString();
        // A cut-off sample would count as an operator's template from now on.
        out.remove();
        throw writeFailure(path, reason);
    }
}

} // namespace

void openSeoTemplateFiles(const std::function<void(const QString& path)>& open)
{
    for (const SeoTemplateFile file : AllSeoTemplateFiles) {
        const QString path = seoTemplatePath(seoTemplateFileName(file));
        if (!QFileInfo::exists(path))
            writeSample(path, file);
        open(path);
    }
}
