#include "Console.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

void writeLine(std::FILE* stream, QString line)
{
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void Console::progress(const QString& line)
{
    writeLine(stderr, line);
}

void Console::result(const QString& line)
{
    writeLine(stdout, line);
}

QString Console::readInputLine()
{
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}
