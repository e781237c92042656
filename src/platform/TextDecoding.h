#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// How a text file is encoded: a byte-order mark wins; without one, valid UTF-8 is
// UTF-8 and anything else is a legacy 8-bit code page.
struct TextEncoding
{
    QByteArray name;    // a name QStringDecoder/QStringEncoder accept, e.g. "UTF-8", "windows-1251"
    int bomLength = 0;  // bytes of byte-order mark at the start of the file

    bool operator==(const TextEncoding&) const = default;
};

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
