#pragma once

// The program without its window: "velmora COMMAND [OPTIONS]" runs one job and ends, with
// progress and errors on standard error and never a question.
namespace CommandLine {

// What the command line reports to the shell that started it.
enum ExitCode
{
    Done = 0,
    BadArguments = 2,     // unknown command or option, missing value, unknown profile, brand, column or file
    ConnectionFailed = 3, // the store's database could not be reached or logged in to
    JobFailed = 4,        // the job's check or the job itself failed
};

// True when the arguments name a command (or ask for help or the version); without one the
// window starts.
bool isCommand(int argc, char* argv[]);

// Runs the command on a core application, which needs no display.
int run(int argc, char* argv[]);

} // namespace CommandLine
