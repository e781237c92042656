#pragma once

#include <QString>

// Table names of the store: prefix + base name, and for the three language tables
// the language suffix after it. Every SQL text of the program takes its names from here.
struct StoreSchema
{
    QString prefix;
    QString languageSuffix; // "_" + language code, or empty

    QString configs() const;
    QString products() const;
    QString productTexts() const; // language table
    QString productPrices() const;
    QString currencies() const;
    QString manufacturers() const; // language table
    QString productManufacturers() const;
    QString productCategories() const;
    QString categoryTexts() const; // language table

    static QString languageSuffixFor(const QString& languageCode);
};
