#include "CommandLine.h"
#include "MainWindow.h"
#include "QtUi.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (CommandLine::isCommand(argc, argv))
        return CommandLine::run(argc, argv);
    QApplication app(argc, argv);
    QtUi ui(MainWindow::applicationTitle());
    MainWindow window(ui);
    ui.setOwner(&window);
    window.show();
    return app.exec();
}
