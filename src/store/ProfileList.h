#pragma once

#include <QString>
#include <QStringList>

// The text between the first occurrence of open and the first occurrence of close
// (both searched from the start); empty when either is missing or close comes first.
QString textBetween(const QString& text, const QString& open, const QString& close);

// The profile names of the stored list "[A][B]...", in stored order; reading stops at
// the first name that is empty or all blanks.
QStringList readProfileNames(QString list);

// The stored list of profile names, straight from the settings file.
QString readStoredProfileList();
