// Drives the price export of the real window against a demo store and prints figures.
//   bench_export queries CONNECTION_INI FILE  - writes the brand queries of all brands, as the
//                                               export sends them, for the mariadb client
//   bench_export export CONNECTION_INI FOLDER  - exports all brands and columns into FOLDER
#include "BenchSupport.h"
#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "WindowControls.h"
#include "export/PriceExportRun.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>
#include <cstdio>

namespace {

// The window connected on the EXPORT page with every brand and every column ticked.
void connectAndTickAll(MainWindow& form)
{
    form.show();
    form.showPage(QStringLiteral("EXPORT"));
    emit control<DropDownComboBox>(form, "ComboBox3")->aboutToDropDown();
    control<DropDownComboBox>(form, "ComboBox3")->setCurrentIndex(0);
    control<QPushButton>(form, "SpeedButton8")->click();
    control<QToolButton>(form, "SpeedButton11")->click();
    for (int i = 0; i < control<QListWidget>(form, "CheckListBox3")->count(); ++i)
        control<QListWidget>(form, "CheckListBox3")->item(i)->setCheckState(Qt::Checked);
}

bool writeQueries(MainWindow& form, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&file);
    for (int i = 0; i < control<QListWidget>(form, "CheckListBox1")->count(); ++i) {
        const int id = control<QListWidget>(form, "CheckListBox1")->item(i)->data(Qt::UserRole).toInt();
        out << PriceExportRun::brandQuery(form.session().schema, id).join(QStringLiteral("\r\n")) << ";\n";
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[1] != QLatin1String("queries") && args[1] != QLatin1String("export"))) {
        std::fprintf(stderr, "usage: bench_export queries|export CONNECTION_INI FILE_OR_FOLDER\n");
        return 2;
    }
    QTemporaryDir programFolder;
    ProgramFolder::setOverride(programFolder.path());
    BenchUi ui;
    demoProfile(args[2]).add();
    MainWindow form{ui};
    connectAndTickAll(form);
    if (ui.complaints + ui.errors > 0 || control<QListWidget>(form, "CheckListBox1")->count() == 0)
        return 1;

    if (args[1] == QLatin1String("queries"))
        return writeQueries(form, args[3]) ? 0 : 1;

    control<QLineEdit>(form, "Edit7")->setText(args[3]);
    RunMeter meter;
    meter.start();
    clickAndWait(form, control<QPushButton>(form, "SpeedButton10"));
    meter.stop();
    if (ui.complaints + ui.errors > 0)
        return 1;
    meter.print();
    std::printf("rows=%lld\n", csvDataRows(args[3], QStringLiteral("F")));
    return 0;
}
