#pragma once

#include "sheets/SpreadsheetReader.h"

#include <QString>
#include <cstddef>
#include <cstdint>

// The readers open files by name: each input is written to one file kept in memory for the
// whole run, and read through /proc/self/fd.
QString fuzzFile(const std::uint8_t* data, std::size_t size);

// Stops the run with a message when a fuzzed reader breaks an invariant.
void check(bool condition, const char* what);

// The rows of the open reader, checked against its extent and the sheet's limits.
void readEveryRow(const SpreadsheetReader& reader);
