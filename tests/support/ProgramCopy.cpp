#include "ProgramCopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <unistd.h>

ProgramCopy::ProgramCopy(const QString& executable, const QString& folder)
    : m_program(QDir(folder).filePath(QStringLiteral("velmora")))
{
    m_ready = QFile::copy(executable, m_program) &&
              QFile::setPermissions(m_program, QFile::permissions(m_program) | QFile::ExeOwner);
}

ProgramCopy::Result ProgramCopy::run(const QStringList& arguments, const QByteArray& input,
                                     const QByteArray& password, const QString& path) const
{
    return start(m_program, arguments, input, password, path);
}

ProgramCopy::Result ProgramCopy::runBoundByFileModes(const QStringList& arguments) const
{
    if (::geteuid() != 0)
        return run(arguments);
    return start(QStringLiteral("setpriv"),
                 QStringList{QStringLiteral("--bounding-set=-dac_override,-dac_read_search"), m_program} +
                     arguments,
                 {}, {}, {});
}

ProgramCopy::Result ProgramCopy::start(const QString& program, const QStringList& arguments,
                                       const QByteArray& input, const QByteArray& password,
                                       const QString& path) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "VELMORA_PASSWORD"})
        environment.remove(QString::fromLatin1(name));
    if (!password.isEmpty())
        environment.insert(QStringLiteral("VELMORA_PASSWORD"), QString::fromUtf8(password));
    if (!path.isEmpty())
        environment.insert(QStringLiteral("PATH"), path);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
