#include "SerialDate.h"

#include <QDate>
#include <QTime>

namespace {

constexpr double secondsPerDay = 86400.0;

} // namespace

std::optional<double> serialFromIsoDateTime(QStringView text)
{
    const qsizetype t = text.indexOf(u'T');
    const QDate date = QDate::fromString(text.left(t < 0 ? text.size() : t).toString(), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    double serial = double(QDate(1899, 12, 30).daysTo(date));
    if (t >= 0) {
        QStringView clock = text.mid(t + 1);
        if (clock.endsWith(u'Z'))
            clock.chop(1);
        const QTime time = QTime::fromString(clock.toString(), Qt::ISODateWithMs);
        if (!time.isValid())
            return std::nullopt;
        serial += time.msecsSinceStartOfDay() / (secondsPerDay * 1000);
    }
    return serial;
}

std::optional<double> serialFromIsoDuration(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    if (negative)
        text = text.mid(1);
    if (!text.startsWith(u'P') || text.size() < 2)
        return std::nullopt;
    double seconds = 0;
    bool inTime = false;
    qsizetype numberStart = 1;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() || c == u'.')
            continue;
        if (c == u'T' && !inTime && numberStart == i) {
            inTime = true;
            numberStart = i + 1;
            continue;
        }
        bool ok = false;
        const double value = text.sliced(numberStart, i - numberStart).toDouble(&ok);
        if (!ok)
            return std::nullopt;
        if (!inTime && c == u'D')
            seconds += value * secondsPerDay;
        else if (inTime && c == u'H')
            seconds += value * 3600;
        else if (inTime && c == u'M')
            seconds += value * 60;
        else if (inTime && c == u'S')
            seconds += value;
        else
            return std::nullopt;
        numberStart = i + 1;
    }
    if (numberStart != text.size())
        return std::nullopt;
    return (negative ? -seconds : seconds) / secondsPerDay;
}
