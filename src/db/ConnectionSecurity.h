#pragma once

#include <QString>
#include <QStringList>

// How a connection to the store is protected on its way: by TLS, and whether the server's
// certificate is checked against the authorities this computer trusts (or a CA file) and the
// host name the profile gives.
struct ConnectionSecurity
{
    enum class Encryption
    {
        Off,      // as the program always connected: unencrypted
        Required, // a server that cannot encrypt is refused
        Verified, // required, and the server's certificate and host name checked
    };

    Encryption encryption = Encryption::Off;
    QString caFile; // for Verified; empty: the system's authorities

    // "off", "required", "required and verify the server", in the order of Encryption.
    static const QStringList& encryptionNames();
};
