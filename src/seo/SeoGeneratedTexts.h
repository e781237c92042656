#pragma once

#include "SeoFileLayout.h"
#include "SeoTemplate.h"
#include "SeoTexts.h"

#include <array>

struct PlaceholderValues;

// Default SEO texts: keywords, titles and slugs made from the manufacturer name, the SKU and
// the names, descriptions and titles from the operator's templates.
class SeoGeneratedTexts : public SeoTexts
{
public:
    // Reads, once for the whole run, the template of every ticked box whose kind of file is
    // wanted; useTemplate is in the order of AllSeoTemplateFiles. A template file that is
    // there but cannot be read throws before anything is written.
    SeoGeneratedTexts(const SeoColumnTicks& ticks,
                      const std::array<bool, AllSeoTemplateFiles.size()>& useTemplate);

    QStringList productQuery(const StoreSchema& schema,
                             const std::vector<int>& manufacturerIds) const override;
    QStringList categoryQuery(const StoreSchema& schema,
                              const std::vector<int>& manufacturerIds) const override;
    QByteArrayView productText(int column, const DbQuery& product, QByteArray& scratch) const override;
    QByteArrayView categoryText(int column, const DbQuery& product, const DbQuery& category,
                                QByteArray& scratch) const override;

private:
    QString productString(int column, const DbQuery& product) const;
    QString categoryString(int column, const DbQuery& product, const DbQuery& category) const;
    const SeoTemplate& text(SeoTemplateFile file) const;
    // The template filled in, or the empty text without one.
    QString filled(SeoTemplateFile file, const PlaceholderValues& values) const;

    std::array<SeoTemplate, AllSeoTemplateFiles.size()> m_templates;
};
