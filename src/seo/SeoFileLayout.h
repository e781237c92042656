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
    // A column's text for the current row in UTF-8; the layout puts it in the column's form.
    // The view needs to stay valid only until the next call.
    using ColumnText = std::function<QByteArrayView(int column)>;

    SeoFileLayout(SeoColumnTicks ticks, QString separator);

    // "Acme AB 12/7 - Brake pad": a product's brand, SKU and a name in one text.
    static QString title(const QString& brand, const QString& tradeNumber, const QString& name);

    static QString productBaseName() { return QStringLiteral("SeoProduct"); }
    static QString categoryBaseName() { return QStringLiteral("SeoCategories"); }

    QString productHeader() const;
    QString categoryHeader() const;
    // Each fill makes line a row's line in UTF-8, reusing its memory.
    void fillProductLine(QByteArray& line, const ColumnText& text) const;
    // The category file has no product id: its first cell describes the product instead,
    // the same for all of a product's categories.
    static QByteArray titleCell(const QString& brand, const QString& tradeNumber, const QString& namePart);
    void fillCategoryLine(QByteArray& line, QByteArrayView titleCell, const ColumnText& text) const;

private:
    QString header(const QString& first, int from, int to) const;
    void appendCells(QByteArray& line, int from, int to, const ColumnText& text) const;

    SeoColumnTicks m_ticks;
    QString m_separator;
    QByteArray m_separatorUtf8;
};
