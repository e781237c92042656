#include "SshTunnel.h"

#include "platform/ChildProcess.h"
#include "platform/LoopbackPort.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <thread>

namespace {

constexpr auto PollInterval = std::chrono::milliseconds(20);
const QString Program = QStringLiteral("ssh");
const QByteArray Listening = "Local forwarding listening on";

QStringList linesOf(const QByteArray& output)
{
    QStringList lines;
    for (const QByteArray& line : output.split('\n'))
        if (const QString text = QString::fromLocal8Bit(line).trimmed(); !text.isEmpty())
            lines << text;
    return lines;
}

// ssh's own words for the operator, without its debugging chatter and banners.
QString lastSaid(const QByteArray& output)
{
    const QStringList lines = linesOf(output);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        if (!it->startsWith(QLatin1String("debug")) && !it->startsWith(u'@') &&
            !it->startsWith(QLatin1String("OpenSSH_")))
            return *it;
    return {};
}

QString lineWith(const QByteArray& output, QLatin1String text)
{
    for (const QString& line : linesOf(output))
        if (line.contains(text))
            return line;
    return {};
}

QString hostKeyShown(const QByteArray& output)
{
    const QLatin1String marker("Server host key: ");
    const QString line = lineWith(output, marker);
    return line.mid(line.indexOf(marker) + marker.size());
}

QString hostForForwarding(const QString& host)
{
    return host.contains(u':') ? u'[' + host + u']' : host;
}

} // namespace

SshTunnel::SshTunnel(const SshRoute& route, const QString& targetHost, int targetPort)
    : m_route(route), m_targetHost(targetHost), m_targetPort(targetPort)
{
    if (QStandardPaths::findExecutable(Program).isEmpty())
        throw TunnelFailure(failureMessage(QStringLiteral("the OpenSSH client (ssh) is not installed")));
    if (!m_route.keyFile.isEmpty() && !QFileInfo(m_route.keyFile).isReadable())
        throw TunnelFailure(
            failureMessage(QStringLiteral("the key file %1 cannot be read").arg(m_route.keyFile)));
    // Another program may take the chosen port before ssh listens on it.
    for (int attempt = 0; attempt < 3; ++attempt)
        if (start(unusedLoopbackPort()))
            return;
    throw TunnelFailure(failureMessage(QStringLiteral("no port on 127.0.0.1 stayed free for its local end")));
}

SshTunnel::~SshTunnel() = default;

bool SshTunnel::start(int localPort)
{
    QStringList arguments{QStringLiteral("-v"), QStringLiteral("-N")};
    for (const char* option :
         {"BatchMode=yes", "StrictHostKeyChecking=yes", "ExitOnForwardFailure=yes", "ServerAliveInterval=30"})
        arguments << QStringLiteral("-o") << QString::fromLatin1(option);
    arguments << QStringLiteral("-o") << QStringLiteral("ConnectTimeout=%1").arg(ConnectTimeoutSeconds);
    if (const QString config = qEnvironmentVariable(ConfigVariable); !config.isEmpty())
        arguments << QStringLiteral("-F") << config;
    if (!m_route.keyFile.isEmpty())
        arguments << QStringLiteral("-i") << m_route.keyFile << QStringLiteral("-o")
                  << QStringLiteral("IdentitiesOnly=yes");
    if (!m_route.user.isEmpty())
        arguments << QStringLiteral("-l") << m_route.user;
    // Port 22 is left to ssh's configuration, which may give a host name of its own another port.
    if (m_route.port != SshRoute::DefaultPort)
        arguments << QStringLiteral("-p") << QString::number(m_route.port);
    arguments << QStringLiteral("-L")
              << QStringLiteral("127.0.0.1:%1:%2:%3")
                     .arg(localPort)
                     .arg(hostForForwarding(m_targetHost))
                     .arg(m_targetPort)
              << QStringLiteral("--") << m_route.host;

    try {
        m_ssh = std::make_unique<ChildProcess>(Program, arguments);
    } catch (const AppError& error) {
        throw TunnelFailure(failureMessage(error.message()));
    }
    const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
    for (;;) {
        const QByteArray output = m_ssh->errorOutput();
        if (output.contains(Listening)) {
            m_localPort = localPort;
            return true;
        }
        if (!m_ssh->running()) {
            const QByteArray last = m_ssh->errorOutput();
            if (last.contains("Address already in use"))
                return false;
            throw TunnelFailure(startFailure(last));
        }
        if (std::chrono::steady_clock::now() > deadline) {
            m_ssh.reset();
            throw TunnelFailure(
                failureMessage(QStringLiteral("it did not open within %1 seconds").arg(StartTimeout.count()),
                               lastSaid(output)));
        }
        std::this_thread::sleep_for(PollInterval);
    }
}

QString SshTunnel::failureMessage(const QString& why, const QString& sshSaid) const
{
    QString message = QStringLiteral("The SSH tunnel through %1 failed: %2").arg(m_route.description(), why);
    if (!sshSaid.isEmpty())
        message += QStringLiteral(" (") + sshSaid + u')';
    return message;
}

QString SshTunnel::startFailure(const QByteArray& output) const
{
    const QString said = lastSaid(output);
    if (output.contains("REMOTE HOST IDENTIFICATION HAS CHANGED") ||
        output.contains("has changed and you have"))
        return failureMessage(
            QStringLiteral("the host's key has CHANGED since known_hosts recorded it; it now shows "
                           "%1. Someone may be in between: ask the host's administrator whether "
                           "this is the host's new key before you replace the old one")
                .arg(hostKeyShown(output)));
    if (output.contains("Host key verification failed"))
        return failureMessage(
            QStringLiteral("the host's key is not in known_hosts; it shows %1. Compare it with "
                           "the fingerprint the host's administrator gives, then add the key to "
                           "known_hosts (for example by logging in once with ssh)")
                .arg(hostKeyShown(output)));
    if (output.contains("Permission denied")) {
        // The host took the key as one it knows, but ssh could not sign with it: the key is locked.
        if (output.contains("Server accepts key"))
            return failureMessage(
                m_route.keyFile.isEmpty()
                    ? QStringLiteral("the key needs its passphrase: add it to the SSH agent with ssh-add")
                    : QStringLiteral(
                          "the key file %1 needs its passphrase: add it to the SSH agent with ssh-add")
                          .arg(m_route.keyFile),
                said);
        return failureMessage(
            m_route.keyFile.isEmpty()
                ? QStringLiteral("the host accepts none of the SSH agent's keys")
                : QStringLiteral("the host does not accept the key file %1").arg(m_route.keyFile),
            said);
    }
    for (const char* unreachable :
         {"Could not resolve hostname", "Connection refused", "No route to host", "timed out",
          "Network is unreachable", "Connection closed by", "Connection reset"})
        if (output.contains(unreachable))
            return failureMessage(QStringLiteral("the host cannot be reached"), said);
    if (output.contains("Could not request local forwarding"))
        return failureMessage(QStringLiteral("its local end could not listen on 127.0.0.1"), said);
    return failureMessage(QStringLiteral("ssh ended"), said);
}

std::optional<QString> SshTunnel::failureOfConnection(std::chrono::milliseconds wait)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const QByteArray output = m_ssh->errorOutput();
        const QString refused = lineWith(output, QLatin1String("open failed: "));
        if (!refused.isEmpty()) {
            const QString target = hostForForwarding(m_targetHost) + u':' + QString::number(m_targetPort);
            const QString why = refused.mid(refused.indexOf(QLatin1String("open failed: ")) + 13);
            return failureMessage(why.startsWith(QLatin1String("connect failed"))
                                      ? QStringLiteral("the host cannot reach the database at %1").arg(target)
                                      : QStringLiteral("the host refused to forward to %1").arg(target),
                                  why);
        }
        if (!m_ssh->running())
            return failureMessage(QStringLiteral("ssh ended"), lastSaid(m_ssh->errorOutput()));
        if (std::chrono::steady_clock::now() > deadline)
            return std::nullopt;
        std::this_thread::sleep_for(PollInterval);
    }
}
