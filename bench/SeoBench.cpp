// The SEO export of every brand with every column, through the window on whatever platform
// QT_QPA_PLATFORM names: prints the time, the rows per second and the peak memory, then
// writes the statements the run sent, in the same order, as a script for the mariadb client.
//   bench_seo CONNECTION_INI EXPORT_FOLDER CLIENT_SCRIPT

#include "BenchSupport.h"
#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "WindowControls.h"
#include "db/DbQuery.h"
#include "platform/ProgramFolder.h"
#include "seo/SeoColumns.h"
#include "seo/SeoQueries.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

void writeClientScript(MainWindow& form, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the client script");
    QTextStream out(&file);
    const StoreSchema& schema = form.session().schema;
    DbQuery query(QStringLiteral("UniQuery1"), form.connection());
    for (int i = 0; i < control<QListWidget>(form, "CheckListBox1")->count(); ++i) {
        const QStringList products =
            SeoQueries::storedProducts(schema, control<QListWidget>(form, "CheckListBox1")->item(i)->data(Qt::UserRole).toInt());
        out << products.join(u'\n') << ";\n";
        query.close();
        query.sql = products;
        for (query.open(); !query.eof(); query.next())
            out << SeoQueries::storedCategories(
                       schema, query.fieldByName(SeoQueries::alias(SeoColumns::IdPart)))
                       .join(u'\n')
                << ";\n";
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_seo CONNECTION_INI EXPORT_FOLDER CLIENT_SCRIPT\n");
        return 2;
    }
    const QString exportFolder = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir programFolder;
    ProgramFolder::setOverride(programFolder.path());
    BenchUi ui;
    const ConnectionProfile profile = demoProfile(QString::fromLocal8Bit(argv[1]));
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
    control<QLineEdit>(form, "Edit7")->setText(exportFolder);
    if (ui.complaints + ui.errors > 0 || control<QListWidget>(form, "CheckListBox1")->count() == 0)
        return 1;

    QElapsedTimer timer;
    timer.start();
    control<QPushButton>(form, "SpeedButton20")->click();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (ui.complaints + ui.errors > 0)
        return 1;

    const qint64 products = csvDataRows(exportFolder, QStringLiteral("SeoProduct"));
    const qint64 categories = csvDataRows(exportFolder, QStringLiteral("SeoCategories"));
    std::printf("SEO export through the window (%d brands, all columns): %.2f s\n",
                control<QListWidget>(form, "CheckListBox1")->count(), seconds);
    std::printf("  product rows:  %lld (%.0f per second)\n", products, products / seconds);
    std::printf("  category rows: %lld (%.0f per second)\n", categories, categories / seconds);
    std::printf("  peak memory (VmHWM): %s\n", qPrintable(peakMemory()));
    std::printf("seconds=%.3f\n", seconds);
    std::fflush(stdout);

    writeClientScript(form, QString::fromLocal8Bit(argv[3]));
    return 0;
}
