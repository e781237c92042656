#pragma once

#include "platform/TextDecoding.h"

#include <QByteArray>
#include <QString>
#include <optional>

// An INI file read and written the way the classic profile-string functions do:
// names without regard to case, values trimmed and unquoted, each write straight to disk.
// The file is opened and released within every call; values are read whole.
// A file without a byte-order mark that is not UTF-8 is read in the locale's code page, never
// guessed, so that it reads the same every time; a write keeps the file's encoding unless the
// new text cannot be held in it, and then the whole file becomes UTF-8 with a byte-order mark.
class IniFile
{
public:
    // legacyCodePage stands for the locale's code page; tests name one of their own.
    explicit IniFile(QString path, QByteArray legacyCodePage = localeLegacyCodePage());

    const QString& path() const { return m_path; }

    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // A whole number as parseWholeNumber reads it (decimal, or hexadecimal after "0x", "x" or
    // "$"); anything else gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // Read as an integer; any non-zero value is true.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    // Each write throws AppError("Unable to write to <path>") when the file system refuses.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void eraseSection(const QString& section);

private:
    QString m_path;
    QByteArray m_legacyCodePage;
};
