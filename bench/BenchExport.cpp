// Drives the price export of the real window against a demo store and prints figures.
//   bench_export export CONNECTION_INI FOLDER  - exports all brands and columns into FOLDER
//   bench_export before CONNECTION_INI FOLDER  - the same files as the export wrote them with one
//                                                statement per brand, on the window's connection
#include "BenchSupport.h"
#include "DropDownComboBox.h"
#include "ExportPageInputs.h"
#include "MainWindow.h"
#include "PerBrandExports.h"
#include "WindowControls.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
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

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[1] != QLatin1String("before") && args[1] != QLatin1String("export"))) {
        std::fprintf(stderr, "usage: bench_export export|before CONNECTION_INI FILE_OR_FOLDER\n");
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

    control<QLineEdit>(form, "Edit7")->setText(args[3]);
    RunMeter meter;
    meter.start();
    if (args[1] == QLatin1String("before"))
        runBesideWindow(
            [&, settings = exportSettings(form, args[3]),
             brands = ExportPageInputs::brandEntries(control<QListWidget>(form, "CheckListBox1")),
             columns = ExportPageInputs::tickedTexts(control<QListWidget>(form, "CheckListBox3"))] {
                PerBrandExports::writePriceFiles(form.connection(), form.session().schema, settings, brands,
                                                 columns);
            });
    else
        clickAndWait(form, control<QPushButton>(form, "SpeedButton10"));
    meter.stop();
    if (ui.complaints + ui.errors > 0)
        return 1;
    meter.print();
    std::printf("rows=%lld\n", csvDataRows(args[3], QStringLiteral("F")));
    return 0;
}
