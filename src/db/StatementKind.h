#pragma once

#include <QStringView>

// What a script statement does to the run's own transactions, by its first word.
enum class StatementKind
{
    // UPDATE, INSERT, DELETE or REPLACE: may run inside a transaction of the runner's.
    DataChange,
    // COMMIT: the end of a generated script.
    Commit,
    // Anything else, comments that the server runs (/*! ... */) included: the script's own
    // transaction control, statements that commit by themselves, or something unknown.
    Other
};

// Comments and blanks before the first word are passed over.
StatementKind statementKind(QStringView statement);
