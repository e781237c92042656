// The SEO export of every brand with every column, through the window on whatever platform
// QT_QPA_PLATFORM names: prints the time, the rows per second and the peak memory, then
// writes the statements the run sent, in the same order, as a script for the mariadb client.
//   bench_seo CONNECTION_INI EXPORT_FOLDER CLIENT_SCRIPT

#include "BenchSupport.h"
#include "DropDownComboBox.h"
#include "Main.h"
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

void writeClientScript(TForm1& form, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the client script");
    QTextStream out(&file);
    const StoreSchema& schema = form.session.schema;
    for (int i = 0; i < form.CheckListBox1->count(); ++i) {
        const QStringList products =
            SeoQueries::storedProducts(schema, form.CheckListBox1->item(i)->data(Qt::UserRole).toInt());
        out << products.join(u'\n') << ";\n";
        form.UniQuery1.close();
        form.UniQuery1.SQL = products;
        for (form.UniQuery1.open(); !form.UniQuery1.eof(); form.UniQuery1.next())
            out << SeoQueries::storedCategories(
                       schema, form.UniQuery1.fieldByName(SeoQueries::alias(SeoColumns::IdPart)))
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
    if (!profile.add())
        return 1;

    TForm1 form;
    form.show();
    form.showPage(QStringLiteral("EXPORT"));
    form.ComboBox3->addItem(profile.name);
    form.ComboBox3->setCurrentIndex(0);
    form.SpeedButton8->click();
    for (int i = 0; i < form.CheckListBox1->count(); ++i)
        form.CheckListBox1->item(i)->setCheckState(Qt::Checked);
    for (int i = 0; i < form.CheckListBox4->count(); ++i)
        form.CheckListBox4->item(i)->setCheckState(Qt::Checked);
    form.RadioButton1->setChecked(true);
    form.Edit7->setText(exportFolder);
    if (ui.complaints + ui.errors > 0 || form.CheckListBox1->count() == 0)
        return 1;

    QElapsedTimer timer;
    timer.start();
    form.SpeedButton20->click();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (ui.complaints + ui.errors > 0)
        return 1;

    const qint64 products = csvDataRows(exportFolder, QStringLiteral("SeoProduct"));
    const qint64 categories = csvDataRows(exportFolder, QStringLiteral("SeoCategories"));
    std::printf("SEO export through the window (%d brands, all columns): %.2f s\n",
                form.CheckListBox1->count(), seconds);
    std::printf("  product rows:  %lld (%.0f per second)\n", products, products / seconds);
    std::printf("  category rows: %lld (%.0f per second)\n", categories, categories / seconds);
    std::printf("  peak memory (VmHWM): %s\n", qPrintable(peakMemory()));
    std::printf("seconds=%.3f\n", seconds);
    std::fflush(stdout);

    writeClientScript(form, QString::fromLocal8Bit(argv[3]));
    return 0;
}
