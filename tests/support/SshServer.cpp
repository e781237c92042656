#include "SshServer.h"

#include "db/SshTunnel.h"
#include "platform/LoopbackPort.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool runTool(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return false;
    if (output)
        *output = tool.readAllStandardOutput();
    return true;
}

} // namespace

SshServer::SshServer()
{
    const QString sshd =
        QStandardPaths::findExecutable(QStringLiteral("sshd"), {QStringLiteral("/usr/sbin")});
    if (sshd.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("ssh-keygen")).isEmpty()) {
        m_failure = QStringLiteral("the OpenSSH server is not installed");
        return;
    }
    // The server insists on its privilege separation folder, which only root may make.
    if (!QDir(QStringLiteral("/run/sshd")).exists() && !QDir().mkpath(QStringLiteral("/run/sshd"))) {
        m_failure = QStringLiteral("/run/sshd is missing and cannot be made");
        return;
    }
    if (!makeKey("host") || !makeKey("accepted") || !makeKey("refused") || !makeKey("locked", "secret") ||
        !makeKey("other-host")) {
        m_failure = QStringLiteral("ssh-keygen failed");
        return;
    }
    QByteArray fingerprint;
    runTool(QStringLiteral("ssh-keygen"), {QStringLiteral("-lf"), path("host.pub")}, &fingerprint);
    m_fingerprint = QString::fromLatin1(fingerprint.split(' ').value(1));
    writeFile(path("authorized_keys"), readFile(path("accepted.pub")) + readFile(path("locked.pub")));

    m_port = unusedLoopbackPort();
    writeFile(path("sshd_config"),
              QStringLiteral("Port %1\nListenAddress 127.0.0.1\nHostKey %2\n"
                             "AuthorizedKeysFile %3\nPidFile %4\n"
                             "PasswordAuthentication no\nKbdInteractiveAuthentication no\n"
                             "PermitRootLogin prohibit-password\nUsePAM no\nStrictModes no\n"
                             "AllowTcpForwarding yes\n")
                  .arg(m_port)
                  .arg(path("host"), path("authorized_keys"), path("sshd.pid"))
                  .toLocal8Bit());
    // The client sees only this folder's known_hosts, and no agent of the person running the tests.
    writeFile(path("ssh_config"),
              QStringLiteral("Host %3\n  HostName 127.0.0.1\n  Port %4\n"
                             "Host *\n  UserKnownHostsFile %1\n  GlobalKnownHostsFile "
                             "/dev/null\n  IdentityAgent none\n  IdentityFile %2\n")
                  .arg(path("known_hosts"), path("no-default-key"), QString::fromLatin1(ConfiguredHost))
                  .arg(m_port)
                  .toLocal8Bit());
    QFile::setPermissions(path("ssh_config"), QFile::ReadOwner | QFile::WriteOwner);
    setKnownHosts(KnownHosts::Right);
    qputenv(SshTunnel::ConfigVariable, path("ssh_config").toLocal8Bit());

    m_sshd.setProcessChannelMode(QProcess::MergedChannels);
    m_sshd.start(sshd,
                 {QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"), path("sshd_config")});
    QByteArray said;
    for (int waited = 0; waited < 100 && m_sshd.state() != QProcess::NotRunning; ++waited) {
        m_sshd.waitForReadyRead(100);
        said += m_sshd.readAll();
        if (said.contains("Server listening on"))
            return;
    }
    m_failure = QStringLiteral("sshd did not start: ") + QString::fromLocal8Bit(said);
}

SshServer::~SshServer()
{
    qunsetenv(SshTunnel::ConfigVariable);
    m_sshd.terminate();
    m_sshd.waitForFinished(5000);
}

bool SshServer::makeKey(const QString& name, const QString& passphrase)
{
    return runTool(QStringLiteral("ssh-keygen"),
                   {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"),
                    QStringLiteral("-N"), passphrase, QStringLiteral("-C"), name, QStringLiteral("-f"),
                    m_dir.filePath(name)});
}

SshRoute SshServer::route() const
{
    SshRoute route;
    route.enabled = true;
    route.host = QStringLiteral("127.0.0.1");
    route.port = m_port;
    route.keyFile = acceptedKey();
    return route;
}

void SshServer::setKnownHosts(KnownHosts knownHosts)
{
    const QByteArray key = knownHosts == KnownHosts::Empty   ? QByteArray()
                           : knownHosts == KnownHosts::Right ? readFile(path("host.pub"))
                                                             : readFile(path("other-host.pub"));
    writeFile(path("known_hosts"),
              key.isEmpty() ? QByteArray() : QStringLiteral("[127.0.0.1]:%1 ").arg(m_port).toLatin1() + key);
}

int SshServer::tunnelsRunning() const
{
    const QByteArray config = path("ssh_config").toLocal8Bit();
    int count = 0;
    const QStringList processes =
        QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs);
    for (const QString& process : processes) {
        const QByteArray commandLine = readFile(QStringLiteral("/proc/%1/cmdline").arg(process));
        if (commandLine.contains(config))
            ++count;
    }
    return count;
}
