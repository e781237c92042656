#include "MainWindow.h"
#include "QtUi.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtUi ui(MainWindow::applicationTitle());
    MainWindow window(ui);
    ui.setOwner(&window);
    window.show();
    return app.exec();
}
