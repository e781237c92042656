#pragma once

#include "db/SshRoute.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// An OpenSSH server of the test's own on a free loopback port, in a folder of its own, with a
// host key, a key it accepts, one it does not, one it accepts that is locked by a passphrase,
// and an ssh client configuration (named by VELMORA_SSH_CONFIG while the object lives) whose
// known_hosts holds the server's key. Stopped with the object.
class SshServer
{
public:
    SshServer();
    ~SshServer();
    SshServer(const SshServer&) = delete;
    SshServer& operator=(const SshServer&) = delete;

    // Empty when the server runs; else why it could not start here.
    const QString& failure() const { return m_failure; }
    int port() const { return m_port; }
    // "SHA256:..." of the server's host key.
    const QString& hostKeyFingerprint() const { return m_fingerprint; }

    QString acceptedKey() const { return m_dir.filePath(QStringLiteral("accepted")); }
    QString refusedKey() const { return m_dir.filePath(QStringLiteral("refused")); }
    QString lockedKey() const { return m_dir.filePath(QStringLiteral("locked")); }
    // The route to this server with the accepted key.
    SshRoute route() const;
    // A host name that only the client configuration knows, with this server's port.
    static constexpr const char* ConfiguredHost = "velmora-test-host";

    enum class KnownHosts
    {
        Right,
        Empty,
        Changed
    };
    void setKnownHosts(KnownHosts knownHosts);

    // The processes whose command line names this server's client configuration: the tunnels
    // still running.
    int tunnelsRunning() const;

private:
    bool makeKey(const QString& name, const QString& passphrase = {});
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    QProcess m_sshd;
    QString m_failure;
    QString m_fingerprint;
    int m_port = 0;
};
