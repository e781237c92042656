#include "SeoGeneratedTexts.h"

#include "MakeSeoSlug.h"
#include "SeoQueries.h"
#include "SubstitutePlaceholders.h"
#include "db/DbQuery.h"

using namespace SeoColumns;

namespace {

bool forCategories(SeoTemplateFile file)
{
    return file == SeoTemplateFile::CategoryMetaDescription || file == SeoTemplateFile::CategoryTitle;
}

PlaceholderValues productValues(const DbQuery& product)
{
    return {product.fieldByName(SeoQueries::alias(IdPart)),
            product.fieldByName(SeoQueries::alias(Brand)),
            product.fieldByName(SeoQueries::alias(TradeNumber)),
            product.fieldByName(SeoQueries::alias(NamePart)),
            {},
            {},
            {}};
}

PlaceholderValues categoryValues(const DbQuery& product, const DbQuery& category)
{
    PlaceholderValues values = productValues(product);
    values.idCategory = category.fieldByName(SeoQueries::alias(IdCategory));
    values.categoryName = category.fieldByName(SeoQueries::alias(CategoryName));
    values.dataCar = category.fieldByName(SeoQueries::alias(CategorySlug));
    return values;
}

QString keywords(const PlaceholderValues& v)
{
    return v.idPart + QStringLiteral(", ") + v.brand + QStringLiteral(", ") + v.tradeNumber +
           QStringLiteral(", ") + v.brand + u' ' + v.tradeNumber;
}

} // namespace

SeoGeneratedTexts::SeoGeneratedTexts(const SeoColumnTicks& ticks,
                                     const std::array<bool, AllSeoTemplateFiles.size()>& useTemplate)
{
    for (std::size_t i = 0; i < AllSeoTemplateFiles.size(); ++i) {
        const SeoTemplateFile file = AllSeoTemplateFiles[i];
        const bool wanted = forCategories(file) ? ticks.categoriesWanted() : ticks.productsWanted();
        if (wanted && useTemplate[i])
            m_templates[i] = readSeoTemplate(seoTemplateFileName(file));
    }
}

QStringList SeoGeneratedTexts::productQuery(const StoreSchema& schema,
                                            const std::vector<int>& manufacturerIds) const
{
    return SeoQueries::productsForGeneration(schema, manufacturerIds);
}

QStringList SeoGeneratedTexts::categoryQuery(const StoreSchema& schema,
                                             const std::vector<int>& manufacturerIds) const
{
    return SeoQueries::categoriesForGeneration(schema, manufacturerIds);
}

QByteArrayView SeoGeneratedTexts::productText(int column, const DbQuery& product, QByteArray& scratch) const
{
    scratch = productString(column, product).toUtf8();
    return scratch;
}

QByteArrayView SeoGeneratedTexts::categoryText(int column, const DbQuery& product, const DbQuery& category,
                                               QByteArray& scratch) const
{
    scratch = categoryString(column, product, category).toUtf8();
    return scratch;
}

QString SeoGeneratedTexts::productString(int column, const DbQuery& product) const
{
    const PlaceholderValues v = productValues(product);
    switch (column) {
    case IdPart:
        return v.idPart;
    case Brand:
        return v.brand;
    case TradeNumber:
        return v.tradeNumber;
    case NamePart:
        return v.namePart;
    case ProductShortDescription:
        return filled(SeoTemplateFile::ProductShortDescription, v);
    case ProductMetaDescription:
        return filled(SeoTemplateFile::ProductMetaDescription, v);
    case ProductMetaKeywords:
        return keywords(v);
    case ProductTitle:
        if (text(SeoTemplateFile::ProductTitle).isEmpty())
            return SeoFileLayout::title(v.brand, v.tradeNumber, v.namePart);
        return filled(SeoTemplateFile::ProductTitle, v);
    case ProductSlug:
        return makeSeoSlug(v.brand + u'-' + v.tradeNumber);
    }
    return {};
}

QString SeoGeneratedTexts::categoryString(int column, const DbQuery& product, const DbQuery& category) const
{
    const PlaceholderValues v = categoryValues(product, category);
    switch (column) {
    case IdCategory:
        return v.idCategory;
    case CategoryName:
        return v.categoryName;
    case CategoryMetaDescription:
        return filled(SeoTemplateFile::CategoryMetaDescription, v);
    case CategoryMetaKeywords:
        return keywords(v) + QStringLiteral(", ") + v.categoryName + QStringLiteral(", ") + v.dataCar;
    case CategoryTitle:
        if (text(SeoTemplateFile::CategoryTitle).isEmpty())
            return v.brand + u' ' + v.tradeNumber + QStringLiteral(" - ") + v.categoryName +
                   QStringLiteral(" for ") + v.dataCar;
        return filled(SeoTemplateFile::CategoryTitle, v);
    case CategorySlug:
        return makeSeoSlug(v.dataCar);
    }
    return {};
}

const SeoTemplate& SeoGeneratedTexts::text(SeoTemplateFile file) const
{
    return m_templates[static_cast<std::size_t>(file)];
}

QString SeoGeneratedTexts::filled(SeoTemplateFile file, const PlaceholderValues& values) const
{
    return substitutePlaceholders(text(file), values);
}
