#include "CommandLine.h"
#include "MainWindow.h"
#include "QtUi.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (CommandLine::isCommand(argc, argv))
        return CommandLine::run(argc, argv);
    QApplication app(argc, argv);
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
    QtUi ui(MainWindow::applicationTitle());
    MainWindow window(ui);
    ui.setOwner(&window);
    window.show();
    return app.exec();
}
