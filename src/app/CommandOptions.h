#pragma once

#include <QCommandLineParser>
#include <QStringList>

// The options of one command. Anything the command does not know, a missing value or a wrong
// number of positional arguments throws UsageError.
class CommandOptions
{
public:
    // valueOptions take a value ("--folder DIR"), switches do not ("--generate");
    // positional: the number of plain arguments the command takes.
    CommandOptions(const QStringList& arguments, const QStringList& valueOptions, const QStringList& switches,
                   int positional = 0);

    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    // The option's value; UsageError when it was not given.
    QString required(const QString& name) const;
    // Every value of the option, each split at its commas, blanks trimmed, empty entries dropped.
    QStringList list(const QString& name) const;
    // Every value of the option as given, blanks trimmed: names that may hold commas.
    QStringList values(const QString& name) const;
    QStringList positional() const { return m_parser.positionalArguments(); }

private:
    QCommandLineParser m_parser;
};
