#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QIODevice;

// How a text file is encoded: a byte-order mark wins; without one, valid UTF-8 is
// UTF-8 and anything else is a legacy 8-bit code page.
struct TextEncoding
{
    QByteArray name;   // a name QStringDecoder/QStringEncoder accept, e.g. "UTF-8", "windows-1251"
    int bomLength = 0; // bytes of byte-order mark at the start of the file

    bool operator==(const TextEncoding&) const = default;
};

// How the bytes of a whole file are read: a byte-order mark wins; else valid UTF-8 over the
// whole file is UTF-8; else the configured code page of older files, which the detector
// never overrules.
struct FileEncoding
{
    TextEncoding encoding;
    // Another code page the detector takes the file for, reading it differently; empty when none.
    QByteArray detectorGuess;
    // Signs that a legacy file was read in the wrong code page: its text holds control
    // characters, or the detector's guess reads it as likelier text (fewer words that look
    // misread).
    bool hasControlCharacters = false;
    bool guessReadsBetter = false;

    bool isDoubtful() const { return hasControlCharacters || guessReadsBetter; }

    bool isLegacy() const { return encoding.bomLength == 0 && encoding.name != "UTF-8"; }
};

// A file read from its start in pieces: each call hands the pieces in order to the reader,
// which returns false when it needs no more of them. A file too large to hold is read twice
// or three times this way rather than held whole.
using PieceReader = std::function<bool(QByteArrayView piece)>;
using FileReading = std::function<void(const PieceReader& reader)>;

// The pieces of bytes held whole.
FileReading readingOf(QByteArrayView wholeFile);
// The pieces of an open file, read from its start each time; onFailure is called (and must
// throw) when the device cannot be read or repositioned.
FileReading readingOf(QIODevice& device, std::function<void()> onFailure);

FileEncoding chooseFileEncoding(const FileReading& file, const QByteArray& legacyCodePage);
// The same choice without the detector's guess, for files that never tell of it.
TextEncoding wholeFileEncoding(const FileReading& file, const QByteArray& legacyCodePage);
TextEncoding wholeFileEncoding(QByteArrayView wholeFile, const QByteArray& legacyCodePage);

// The encoding a byte-order mark at the start of a file names; nothing without one.
std::optional<TextEncoding> byteOrderMarkEncoding(QByteArrayView start);

// Checks UTF-8 piece by piece, a sequence cut between two pieces included.
class Utf8Validator
{
public:
    // False once the bytes fed cannot be UTF-8, whatever follows.
    bool feed(QByteArrayView piece);
    // After the last piece: whether everything fed was UTF-8.
    bool isValid() const { return m_valid && m_pending.isEmpty(); }

private:
    QByteArray m_pending; // the start of a sequence the next piece ends
    bool m_valid = true;
};

// The Windows 8-bit code pages and the two other legacy sets a user may choose for older files.
const QList<QByteArray>& legacyCodePages();

// isComplete is false when the sample is only the beginning of a file: a multi-byte
// sequence cut at its end then does not count against UTF-8.
TextEncoding detectTextEncoding(QByteArrayView sample, bool isComplete = true);

bool isValidUtf8(QByteArrayView bytes, bool isComplete = true);

// The 8-bit code page Windows uses for the user's locale; the fallback for legacy files.
QByteArray localeLegacyCodePage();

QString decodeText(QByteArrayView bytes, const TextEncoding& encoding);
QString decodeText(QByteArrayView bytes);

// Encodes text in the given encoding, byte-order mark included when it has one.
QByteArray encodeText(const QString& text, const TextEncoding& encoding);

TextEncoding utf8Encoding();
