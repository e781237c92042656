#pragma once

#include "AppError.h"

// A check before an operation failed: nothing was written, and the window shows the message
// in a plain message box rather than the error box.
class CheckFailure : public AppError
{
public:
    using AppError::AppError;
};
