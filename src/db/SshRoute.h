#pragma once

#include <QString>

// The way to the database through an SSH host, as a profile gives it. The profile's database
// server and port are then as the SSH host sees them (usually 127.0.0.1:3306).
struct SshRoute
{
    static constexpr int DefaultPort = 22;

    bool enabled = false;
    QString host;           // a name from ~/.ssh/config works too, with its ProxyJump and other settings
    int port = DefaultPort; // ssh's configuration decides for this one
    QString user;           // empty: as ssh's configuration says
    QString keyFile;        // empty: the SSH agent's keys and ssh's configured ones

    // "user@host:port", as messages name the SSH host.
    QString description() const;
};
