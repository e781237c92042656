#pragma once

#include "SeoTemplate.h"

#include <QString>

// The values of one product or category row; product templates leave the category's empty.
struct PlaceholderValues
{
    QString idPart;
    QString brand;
    QString tradeNumber;
    QString namePart;
    QString idCategory;
    QString categoryName;
    QString dataCar; // the category's slug as stored
};

// Replaces every {IDPART}, {BRAND}, {TRADENUMBER}, {NAMEPART}, {IDCATEGORY}, {CATEGORYNAME} and
// {DATACAR}, in that order and without regard to letter case. Each step works on the result of
// the one before, so a value holding a later placeholder has it replaced too. Other text in
// braces stays.
QString substitutePlaceholders(const SeoTemplate& text, const PlaceholderValues& values);
