#pragma once

#include "sheets/SpreadsheetCell.h"

#include <QList>
#include <QString>
#include <array>

// The columns of a price list recognised by their header names (1-based, 0 when absent).
struct PriceListColumns
{
    int idPart = 0;
    int quantity = 0;
    int price = 0;
    int published = 0;
    // product_s_desc, metadesc, metakey, customtitle, sluq
    std::array<int, 5> product{};
    int idCategory = 0;
    int tradeNumber = 0;
    int brand = 0;
    // metadesc, metakey, customtitle, sluq
    std::array<int, 4> category{};
    bool productSeo = false;
    bool categorySeo = false;

    // A header cell names a column when its text equals a name exactly; the rightmost wins.
    static PriceListColumns recognise(const QList<SpreadsheetCell>& header);

    bool hasValues() const { return quantity || price || published; }
    // Rows matched by IDPART.
    bool priceMode() const { return idPart && hasValues(); }
    // Rows matched by TRADENUMBER (and BRAND, when there is one).
    bool tradeNumberMode() const { return tradeNumber && hasValues(); }

    // The letters of a 1-based column number: 1 A, 26 Z, 27 AA.
    static QString letters(int column);

    // The store columns that the SEO columns fill, in the order above.
    static const std::array<QString, 5>& productStoreColumns();
    static const std::array<QString, 4>& categoryStoreColumns();
};
