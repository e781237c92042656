#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's executable copied into a folder, which then holds its settings file, and run
// there as a scheduled job runs it: without a display, the password and PATH only as given.
class ProgramCopy
{
public:
    struct Result
    {
        int code = -1; // -1 when it did not end by itself within two minutes
        QString out;
        QString err;
    };

    ProgramCopy(const QString& executable, const QString& folder);

    bool isReady() const { return m_ready; }
    Result run(const QStringList& arguments, const QByteArray& input = {}, const QByteArray& password = {},
               const QString& path = {}) const;
    // The same as a user whom the files' modes bind: run by root, without root's power to read
    // and search any file (setpriv drops it).
    Result runBoundByFileModes(const QStringList& arguments) const;

private:
    Result start(const QString& program, const QStringList& arguments, const QByteArray& input,
                 const QByteArray& password, const QString& path) const;

    QString m_program;
    bool m_ready = false;
};
