#pragma once

#include "platform/AppError.h"

// A price list that could not be opened as a spreadsheet: the run ends at it, and its script
// holds the files before it only. The message names the file and the reason.
class UnreadablePriceList : public AppError
{
public:
    using AppError::AppError;
};
