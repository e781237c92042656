// Drives the price export of the real window against a demo store and prints figures.
//   bench_export queries CONNECTION_INI FILE  - writes the brand queries of all brands, as the
//                                               export sends them, for the mariadb client
//   bench_export export CONNECTION_INI FOLDER  - exports all brands and columns into FOLDER
#include "DropDownComboBox.h"
#include "Main.h"
#include "export/PriceExportRun.h"
#include "platform/ProgramFolder.h"
#include "platform/Ui.h"
#include "settings/IniFile.h"
#include "store/ConnectionProfile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>
#include <cstdio>
#include <sys/resource.h>

namespace {

// Answers Yes and reports everything else on the standard error, as a failure.
class BenchUi : public Ui
{
public:
    BenchUi() { Ui::install(this); }
    ~BenchUi() override { Ui::install(nullptr); }

    bool failed = false;

    void message(const QString& text) override { fail(text); }
    bool confirm(const QString&) override { return true; }
    QString promptPassword(const QString&, const QString&) override
    {
        fail(QStringLiteral("the profile has no password"));
        return {};
    }
    std::optional<QString> chooseFolder(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const QString&, const QString&) override { return std::nullopt; }
    void errorBox(const QString& text) override { fail(text); }
    void openWithDesktop(const QString&) override {}

private:
    void fail(const QString& text)
    {
        std::fprintf(stderr, "bench_export: %s\n", qPrintable(text));
        failed = true;
    }
};

void storeProfile(const QString& connectionIni)
{
    const IniFile ini(connectionIni);
    const QString s = QStringLiteral("server");
    ConnectionProfile p;
    p.name = QStringLiteral("Demo store");
    p.storeTypeText = ConnectionProfile::VirtueMart2TypeText;
    p.server = ini.readString(s, QStringLiteral("host"));
    p.port = ini.readString(s, QStringLiteral("port"));
    p.database = ini.readString(s, QStringLiteral("database"));
    p.prefix = ini.readString(s, QStringLiteral("prefix"));
    p.user = ini.readString(s, QStringLiteral("user"));
    p.password = ini.readString(s, QStringLiteral("password"));
    p.savePassword = true;
    p.add();
}

// The window connected on the EXPORT page with every brand and every column ticked.
void connectAndTickAll(TForm1& form)
{
    form.show();
    form.showPage(QStringLiteral("EXPORT"));
    emit form.ComboBox3->aboutToDropDown();
    form.ComboBox3->setCurrentIndex(0);
    form.SpeedButton8->click();
    form.SpeedButton11->click();
    for (int i = 0; i < form.CheckListBox3->count(); ++i)
        form.CheckListBox3->item(i)->setCheckState(Qt::Checked);
}

bool writeQueries(TForm1& form, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&file);
    for (int i = 0; i < form.CheckListBox1->count(); ++i) {
        const int id = form.CheckListBox1->item(i)->data(Qt::UserRole).toInt();
        out << PriceExportRun::brandQuery(form.session.schema, id).join(QStringLiteral("\r\n")) << ";\n";
    }
    return true;
}

qint64 dataRowsWritten(const QString& folder)
{
    qint64 rows = 0;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("F*.csv")}, QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            rows += file.readAll().count("\r\n") - 1;
    }
    return rows;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QString peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return QString::fromLatin1(line.mid(6).simplified());
    return {};
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
    storeProfile(args[2]);
    TForm1 form;
    connectAndTickAll(form);
    if (ui.failed || form.CheckListBox1->count() == 0)
        return 1;

    if (args[1] == QLatin1String("queries"))
        return writeQueries(form, args[3]) ? 0 : 1;

    form.Edit7->setText(args[3]);
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    form.SpeedButton10->click();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    if (ui.failed)
        return 1;
    std::printf("window_seconds=%.3f\nwindow_cpu_seconds=%.3f\nwindow_rows=%lld\nwindow_peak_memory=%s\n",
                seconds, cpu, dataRowsWritten(args[3]), qPrintable(peakMemory()));
    return 0;
}
