#pragma once

#include "platform/AppError.h"

// The command line was wrong: an unknown command, option, profile, brand, column or file.
class UsageError : public AppError
{
public:
    using AppError::AppError;
};

// The store session could not be opened.
class ConnectionFailure : public AppError
{
public:
    using AppError::AppError;
};
