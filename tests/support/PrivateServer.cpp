#include "PrivateServer.h"

#include <QProcess>

PrivateServer::PrivateServer(const QProcessEnvironment& environment) : m_environment(environment)
{
    m_started = run(QStringLiteral("start"));
    if (m_started)
        m_server = TestServer::fromFile(m_dir.filePath(QStringLiteral("connection.ini")));
}

PrivateServer::~PrivateServer()
{
    stop();
}

void PrivateServer::stop()
{
    if (std::exchange(m_started, false))
        run(QStringLiteral("stop"));
}

bool PrivateServer::run(const QString& action)
{
    QProcess script;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(m_environment);
    script.setProcessEnvironment(environment);
    script.setProcessChannelMode(QProcess::ForwardedChannels);
    script.start(QStringLiteral("bash"), {QStringLiteral(VELMORA_TEST_MARIADB_SCRIPT), action, m_dir.path()});
    return script.waitForFinished(120000) && script.exitStatus() == QProcess::NormalExit &&
           script.exitCode() == 0;
}
