#include "ConsoleExportProgress.h"

#include "Console.h"

void ConsoleExportProgress::showChange(QString& shown, const QString& text, const QString& resting,
                                       const QString& label)
{
    if (text == resting || text == shown)
        return;
    shown = text;
    Console::progress(label + text);
}

void ConsoleExportProgress::setPathText(const QString& text)
{
    showChange(m_path, text, QStringLiteral("......."), QStringLiteral("Path to export : "));
}

void ConsoleExportProgress::setFileText(const QString& text)
{
    showChange(m_file, text, QStringLiteral("0"), QStringLiteral("Number export file : "));
}

void ConsoleExportProgress::setRowText(const QString& text)
{
    // Every row changes it: only the last count is shown.
    if (text != u"0")
        m_rows = text;
}

void ConsoleExportProgress::setBrandText(const QString& text)
{
    showChange(m_brand, text, QStringLiteral("processing  brand ..."), QString());
}

void ConsoleExportProgress::showRowCount() const
{
    Console::progress(QStringLiteral("Number export row : ") + m_rows);
}
