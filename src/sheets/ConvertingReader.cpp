#include "ConvertingReader.h"

#include "platform/ProcessGroup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace {

constexpr int conversionTimeoutMs = 5 * 60 * 1000;
// How often the caller hears from a running conversion.
constexpr int keepWaitingIntervalMs = 50;

} // namespace

void ConvertingReader::open(const QString& path)
{
    close();
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        failReading(
            SpreadsheetError::Kind::ConverterMissing, path,
            QStringLiteral("reading this format needs LibreOffice (soffice), which is not installed"));
    auto work = std::make_unique<QTemporaryDir>();
    if (!work->isValid())
        failReading(SpreadsheetError::Kind::CannotOpen, path, work->errorString());
    const QString outFolder = work->filePath(QStringLiteral("out"));

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    ProcessGroup::startAsGroupLeader(process);
    // A profile of its own keeps the conversion apart from a LibreOffice the user has open.
    process.start(soffice, {QStringLiteral("--headless"),
                            QStringLiteral("-env:UserInstallation=") +
                                QUrl::fromLocalFile(work->filePath(QStringLiteral("profile"))).toString(),
                            QStringLiteral("--convert-to"), QStringLiteral("xlsx"),
                            QStringLiteral("--outdir"), outFolder, QFileInfo(path).absoluteFilePath()});
    if (!process.waitForStarted())
        failReading(SpreadsheetError::Kind::ConverterMissing, path, process.errorString());
    if (!waitForConversion(process, path))
        failReading(SpreadsheetError::Kind::CannotOpen, path,
                    QStringLiteral("LibreOffice did not finish the conversion"));
    const QStringList converted = QDir(outFolder).entryList({QStringLiteral("*.xlsx")}, QDir::Files);
    if (converted.isEmpty())
        failReading(SpreadsheetError::Kind::CannotOpen, path,
                    QStringLiteral("LibreOffice cannot convert the file: %1")
                        .arg(QString::fromLocal8Bit(process.readAll()).simplified()));
    // The rows are read from the converted copy, which stays until close(); the profile goes now.
    QDir(work->filePath(QStringLiteral("profile"))).removeRecursively();
    XlsxReader::open(QDir(outFolder).filePath(converted.first()));
    m_work = std::move(work);
}

void ConvertingReader::close()
{
    XlsxReader::close();
    m_work.reset();
}

bool ConvertingReader::waitForConversion(QProcess& process, const QString& path) const
{
    QElapsedTimer waited;
    waited.start();
    while (!process.waitForFinished(keepWaitingIntervalMs)) {
        const bool stopped = m_keepWaiting && !m_keepWaiting();
        if (stopped || waited.elapsed() > conversionTimeoutMs) {
            ProcessGroup::kill(process);
            if (stopped)
                failReading(SpreadsheetError::Kind::Stopped, path,
                            QStringLiteral("the conversion was stopped"));
            return false;
        }
    }
    return true;
}
