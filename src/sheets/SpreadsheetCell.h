#pragma once

#include <QString>

// One cell value as a spreadsheet program hands it over. Dates, times, percentages and
// currency amounts are numbers (dates as serial days counted from 1899-12-30).
class SpreadsheetCell
{
public:
    enum class Type
    {
        Empty,
        Number,
        Text,
        Boolean,
        Error
    };

    SpreadsheetCell() = default;

    static SpreadsheetCell number(double value);
    // An empty text gives an empty cell: a spreadsheet program shows no difference.
    static SpreadsheetCell text(QString text);
    static SpreadsheetCell boolean(bool value);
    // code is what the program shows for the error, e.g. "#N/A" or "#DIV/0!".
    static SpreadsheetCell error(QString code);

    Type type() const { return m_type; }
    bool isEmpty() const { return m_type == Type::Empty; }
    double numberValue() const { return m_number; }
    bool booleanValue() const { return m_number != 0; }
    // The text of a text cell, the code of an error cell, else empty.
    const QString& textValue() const { return m_text; }

    // What the program shows in General format: numbers with up to 15 significant digits,
    // no trailing zeros, "." as decimal point, exponent form ("1E+20") for very large or
    // small ones; booleans as TRUE/FALSE; errors as their code.
    QString displayText() const;

    bool operator==(const SpreadsheetCell&) const = default;

private:
    Type m_type = Type::Empty;
    double m_number = 0;
    QString m_text;
};
