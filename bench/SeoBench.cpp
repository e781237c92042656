// Drives the SEO export of the real window, every brand with every column of the store's
// texts, against a demo store and prints figures.
//   bench_seo export CONNECTION_INI FOLDER   - exports into FOLDER
//   bench_seo before CONNECTION_INI FOLDER   - the same files as the export wrote them with one
//                                              statement per brand and one per product

#include "BenchSupport.h"
#include "DropDownComboBox.h"
#include "ExportPageInputs.h"
#include "MainWindow.h"
#include "PerBrandExports.h"
#include "WindowControls.h"
#include "platform/ProgramFolder.h"
#include "seo/SeoStoredTexts.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[1] != QLatin1String("before") && args[1] != QLatin1String("export"))) {
        std::fprintf(stderr, "usage: bench_seo export|before CONNECTION_INI FILE_OR_FOLDER\n");
        return 2;
    }
    QTemporaryDir programFolder;
    ProgramFolder::setOverride(programFolder.path());
    BenchUi ui;
    const ConnectionProfile profile = demoProfile(args[2]);
    profile.add();

    MainWindow form{ui};
    form.show();
    form.showPage(QStringLiteral("EXPORT"));
    control<DropDownComboBox>(form, "ComboBox3")->addItem(profile.name);
    control<DropDownComboBox>(form, "ComboBox3")->setCurrentIndex(0);
    control<QPushButton>(form, "SpeedButton8")->click();
    for (int i = 0; i < control<QListWidget>(form, "CheckListBox1")->count(); ++i)
        control<QListWidget>(form, "CheckListBox1")->item(i)->setCheckState(Qt::Checked);
    for (int i = 0; i < control<QListWidget>(form, "CheckListBox4")->count(); ++i)
        control<QListWidget>(form, "CheckListBox4")->item(i)->setCheckState(Qt::Checked);
    control<QRadioButton>(form, "RadioButton1")->setChecked(true);
    if (ui.complaints + ui.errors > 0 || control<QListWidget>(form, "CheckListBox1")->count() == 0)
        return 1;
    control<QLineEdit>(form, "Edit7")->setText(args[3]);
    RunMeter meter;
    meter.start();
    if (args[1] == QLatin1String("before")) {
        SeoColumnTicks ticks;
        ticks.ticked.fill(true);
        runBesideWindow(
            [&, settings = exportSettings(form, args[3]),
             brands = ExportPageInputs::brandEntries(control<QListWidget>(form, "CheckListBox1"))] {
                PerBrandExports::writeSeoFiles(form.connection(), form.session().schema, settings, brands,
                                               ticks, SeoStoredTexts(), false);
            });
    } else {
        clickAndWait(form, control<QPushButton>(form, "SpeedButton20"));
    }
    meter.stop();
    if (ui.complaints + ui.errors > 0)
        return 1;
    meter.print();
    std::printf("product_rows=%lld\ncategory_rows=%lld\n", csvDataRows(args[3], QStringLiteral("SeoProduct")),
                csvDataRows(args[3], QStringLiteral("SeoCategories")));
    return 0;
}
