#pragma once

#include <QString>

// The command line's standard streams, in UTF-8.
namespace Console {

// A line of progress or an error on standard error; CR line breaks become line ends.
void progress(const QString& line);
// A line of the command's result on standard output.
void result(const QString& line);
// The first line of standard input, without its line end.
QString readInputLine();

} // namespace Console
