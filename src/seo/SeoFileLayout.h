#pragma once

#include "SeoColumns.h"

#include <QString>
#include <array>
#include <functional>

// The ticks of the SEO column list. IDPART and IDCATEGORY count as ticked whatever the
// list says: every row carries them.
struct SeoColumnTicks
{
    std::array<bool, SeoColumns::LastCategoryColumn + 1> ticked{};

    bool isTicked(int column) const;
    // Any product column after IDPART.
    bool productsWanted() const;
    // Any category column after IDCATEGORY.
    bool categoriesWanted() const;
};

// The two kinds of SEO file: "SeoProduct" files with one row per product and "SeoCategories"
// files with one row per link of a product to a category, each with the ticked columns in
// list order.
class SeoFileLayout
{
public:
    // A column's text for the current row; the layout puts it in the column's form.
    using ColumnText = std::function<QString(int column)>;

    SeoFileLayout(SeoColumnTicks ticks, QString separator);

    // "Acme AB 12/7 - Brake pad": a product's brand, SKU and a name in one text.
    static QString title(const QString& brand, const QString& tradeNumber, const QString& name);

    static QString productBaseName() { return QStringLiteral("SeoProduct"); }
    static QString categoryBaseName() { return QStringLiteral("SeoCategories"); }

    QString productHeader() const;
    QString categoryHeader() const;
    QString productLine(const ColumnText& text) const;
    // The category file has no product id: its first cell describes the product instead.
    QString categoryLine(const QString& brand, const QString& tradeNumber, const QString& namePart,
                         const ColumnText& text) const;

private:
    QString header(const QString& first, int from, int to) const;
    QString cells(int from, int to, const ColumnText& text) const;

    SeoColumnTicks m_ticks;
    QString m_separator;
};
