#include "SpreadsheetCell.h"

#include "FifteenDigits.h"

#include <cmath>

SpreadsheetCell SpreadsheetCell::number(double value)
{
    SpreadsheetCell cell;
    cell.m_type = Type::Number;
    cell.m_number = value;
    return cell;
}

SpreadsheetCell SpreadsheetCell::text(QString text)
{
    SpreadsheetCell cell;
    if (!text.isEmpty()) {
        cell.m_type = Type::Text;
        cell.m_text = std::move(text);
    }
    return cell;
}

SpreadsheetCell SpreadsheetCell::boolean(bool value)
{
    SpreadsheetCell cell;
    cell.m_type = Type::Boolean;
    cell.m_number = value ? 1 : 0;
    return cell;
}

SpreadsheetCell SpreadsheetCell::error(QString code)
{
    SpreadsheetCell cell;
    cell.m_type = Type::Error;
    cell.m_text = std::move(code);
    return cell;
}

QString SpreadsheetCell::displayText() const
{
    switch (m_type) {
    case Type::Empty:
        return {};
    case Type::Number:
        if (m_number == 0)
            return QStringLiteral("0"); // also for -0
        // Whole numbers of up to 15 digits read the same either way; integers are far quicker.
        if (std::abs(m_number) < 1e15 && m_number == std::trunc(m_number))
            return QString::number(qint64(m_number));
        return QString::fromLatin1(FifteenDigits(m_number).text()).toUpper();
    case Type::Text:
    case Type::Error:
        return m_text;
    case Type::Boolean:
        return m_number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    }
    return {};
}
