#pragma once

#include <QString>
#include <array>

// An operator-written text with placeholders such as {BRAND}: the whole content of one of
// five files in the program's data folder (AppPlaces::dataFolder()).
using SeoTemplate = QString;

enum class SeoTemplateFile
{
    ProductShortDescription,
    ProductMetaDescription,
    ProductTitle,
    CategoryMetaDescription,
    CategoryTitle,
};

inline constexpr std::array<SeoTemplateFile, 5> AllSeoTemplateFiles = {
    SeoTemplateFile::ProductShortDescription,
    SeoTemplateFile::ProductMetaDescription,
    SeoTemplateFile::ProductTitle,
    SeoTemplateFile::CategoryMetaDescription,
    SeoTemplateFile::CategoryTitle,
};

QString seoTemplateFileName(SeoTemplateFile file);
// Where the template file of that name is read from and its sample written to.
QString seoTemplatePath(const QString& fileName);

// The file of that name in the data folder, with CR LF line ends and without blanks or
// control characters at either end. A missing file gives the empty template; a file that is
// there but cannot be read throws AppError naming it, so that no run goes on without it.
SeoTemplate readSeoTemplate(const QString& fileName);
