#pragma once

#include <QStringView>
#include <optional>

// Dates and times as spreadsheet serial numbers: days since 1899-12-30, the time of day
// as the fraction.

// "2024-03-01", "2024-03-01T13:45:00", "2024-03-01T13:45:00.250Z"
std::optional<double> serialFromIsoDateTime(QStringView text);

// An ISO 8601 duration of days, hours, minutes and seconds: "PT13H45M00S", "-P1DT2H", "PT0.5S"
std::optional<double> serialFromIsoDuration(QStringView text);
