#pragma once

#include <QString>
#include <chrono>

// The desktop's keyring (a Secret Service such as GNOME Keyring or KWallet's), for secrets
// that must not lie in files. Each call waits for the keyring's answer; a keyring that does
// not answer within AnswerTimeout counts as absent. Call from a thread that runs Qt events
// (the window's, or the command line's main thread).
namespace Keyring {

enum class Outcome
{
    Done,
    NotFound,   // the keyring runs but holds nothing under the key
    Unavailable // no keyring runs, or it refused or failed
};

struct Answer
{
    Outcome outcome = Outcome::Unavailable;
    QString secret; // what read() found
};

// The secrets of this program are kept apart from other programs' under this service name.
inline const QString Service = QStringLiteral("Velmora");
// Long enough for the operator to unlock a locked keyring when the desktop asks.
inline constexpr std::chrono::seconds AnswerTimeout{60};

Answer read(const QString& key);
Outcome write(const QString& key, const QString& secret);
Outcome remove(const QString& key);

} // namespace Keyring
