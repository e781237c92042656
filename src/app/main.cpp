#include "Main.h"
#include "QtUi.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtUi ui(TForm1::applicationTitle());
    TForm1 form;
    ui.setOwner(&form);
    form.show();
    return app.exec();
}
