#pragma once

#include "SshRoute.h"
#include "platform/AppError.h"

#include <QString>
#include <chrono>
#include <memory>
#include <optional>

class ChildProcess;

// A failure of the SSH tunnel, saying which: the host unreachable, its key unknown or changed
// (with the fingerprint it showed), the key refused or needing its passphrase, the forwarding
// refused.
class TunnelFailure : public AppError
{
public:
    using AppError::AppError;
};

// A forwarding from a port on 127.0.0.1 to the database as the SSH host sees it, run by the
// system's OpenSSH client, so that ~/.ssh/config, ProxyJump and the agent work as they do for
// the operator's own ssh. The host key must be in known_hosts: nothing is ever accepted
// unseen, and no passphrase is asked for (the agent holds them). The tunnel ends with the object.
class SshTunnel
{
public:
    // An ssh configuration file to use instead of ~/.ssh/config.
    static constexpr const char* ConfigVariable = "VELMORA_SSH_CONFIG";
    static constexpr std::chrono::seconds StartTimeout{30};
    static constexpr int ConnectTimeoutSeconds = 10;

    // Starts ssh and waits until the forwarding listens; throws TunnelFailure.
    SshTunnel(const SshRoute& route, const QString& targetHost, int targetPort);
    ~SshTunnel();
    SshTunnel(const SshTunnel&) = delete;
    SshTunnel& operator=(const SshTunnel&) = delete;

    int localPort() const { return m_localPort; }
    const SshRoute& route() const { return m_route; }
    // After a connection through the tunnel failed: what ssh said of it (the SSH host refused
    // to forward, or could not reach the database, or the tunnel is gone), waiting up to wait
    // for ssh to say it; nothing when ssh has nothing to do with the failure.
    std::optional<QString> failureOfConnection(std::chrono::milliseconds wait);

private:
    // Starts ssh on localPort; false when another program took the port meanwhile.
    bool start(int localPort);
    QString failureMessage(const QString& why, const QString& sshSaid = {}) const;
    // The message for what ssh wrote before it ended.
    QString startFailure(const QByteArray& output) const;

    SshRoute m_route;
    QString m_targetHost;
    int m_targetPort = 0;
    int m_localPort = 0;
    std::unique_ptr<ChildProcess> m_ssh;
};
