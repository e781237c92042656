// Drives the SEO export of the real window, every brand with every column of the store's
// texts, against a demo store and prints figures.
//   bench_seo queries CONNECTION_INI FILE    - writes the statements a run sends, in its order,
//                                              as a script for the mariadb client
//   bench_seo export CONNECTION_INI FOLDER   - exports into FOLDER

#include "BenchSupport.h"
#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "WindowControls.h"
#include "db/DbQuery.h"
#include "platform/ProgramFolder.h"
#include "seo/SeoColumns.h"
#include "seo/SeoQueries.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Each statement as the run sends it (lines joined with CR LF), ended for the client.
bool writeClientScript(MainWindow& form, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto write = [&](const QStringList& statement) {
        file.write(statement.join(QStringLiteral("\r\n")).toUtf8() + ";\n");
    };
    const StoreSchema& schema = form.session().schema;
    DbQuery query(QStringLiteral("UniQuery1"), form.connection());
    for (int i = 0; i < control<QListWidget>(form, "CheckListBox1")->count(); ++i) {
        query.close();
        query.sql = SeoQueries::storedProducts(
            schema, control<QListWidget>(form, "CheckListBox1")->item(i)->data(Qt::UserRole).toInt());
        write(query.sql);
        for (query.open(); !query.eof(); query.next())
            write(SeoQueries::storedCategories(schema,
                                               query.fieldByName(SeoQueries::alias(SeoColumns::IdPart))));
    }
    return file.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[1] != QLatin1String("queries") && args[1] != QLatin1String("export"))) {
        std::fprintf(stderr, "usage: bench_seo queries|export CONNECTION_INI FILE_OR_FOLDER\n");
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
    if (args[1] == QLatin1String("queries"))
        return writeClientScript(form, args[3]) ? 0 : 1;

    control<QLineEdit>(form, "Edit7")->setText(args[3]);
    RunMeter meter;
    meter.start();
    clickAndWait(form, control<QPushButton>(form, "SpeedButton20"));
    meter.stop();
    if (ui.complaints + ui.errors > 0)
        return 1;
    meter.print();
    std::printf("product_rows=%lld\ncategory_rows=%lld\n", csvDataRows(args[3], QStringLiteral("SeoProduct")),
                csvDataRows(args[3], QStringLiteral("SeoCategories")));
    return 0;
}
