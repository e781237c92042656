#include "ConsoleCreationProgress.h"

#include "Console.h"

void ConsoleCreationProgress::log(const QString& line)
{
    Console::progress(line);
}
