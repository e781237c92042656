#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throwaway folder that also stands in as the program's folder while it lives.
class TestFolder
{
public:
    TestFolder();
    ~TestFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

// A file in tests/<module>/data, by name.
QString testDataPath(const QString& name);

// The permission bits of a file, as chmod takes them; -1 when there is no such file.
int fileMode(const QString& path);
