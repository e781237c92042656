#pragma once

#include <QString>
#include <optional>

// An INI file read and written the way the classic profile-string functions do:
// names without regard to case, values trimmed and unquoted, each write straight to disk.
// The file is opened and released within every call; values are read whole.
class IniFile
{
public:
    explicit IniFile(QString path);

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
};
