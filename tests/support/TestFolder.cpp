#include "TestFolder.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <sys/stat.h>

TestFolder::TestFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    ProgramFolder::setOverride(m_dir.path());
}

TestFolder::~TestFolder()
{
    ProgramFolder::setOverride({});
}

void TestFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
}

QByteArray TestFolder::read(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString testDataPath(const QString& name)
{
    return QDir(qEnvironmentVariable("VELMORA_TEST_DATA")).filePath(name);
}

int fileMode(const QString& path)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}
