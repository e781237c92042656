#pragma once

#include "DbError.h"
#include "MysqlResult.h"

#include <optional>
#include <vector>

// What statements sent together in one round trip did. The server runs them in order and stops
// at the first that fails: ran counts the ones before it, each with its warning count and its
// result (null for statements without one); failure is the error of statement number ran.
struct BatchOutcome
{
    int ran = 0;
    std::vector<int> warnings;
    std::vector<MysqlResult> results;
    std::optional<DbError> failure;
};
