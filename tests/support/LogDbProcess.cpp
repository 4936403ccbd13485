#include "LogDbProcess.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

} // namespace

LogDbProcess::LogDbProcess(const QStringList &extraArguments)
{
    const QString source = qEnvironmentVariable("TALKBACK_SOURCE_DIR");
    if (source.isEmpty()) {
        m_error = QStringLiteral("TALKBACK_SOURCE_DIR is not set");
        return;
    }
    m_script = source + QStringLiteral("/scripts/logdb.sh");
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return;
    }
    // The port is free when probed; another program may take it before the
    // server binds it, so a failed start is tried again on a new port.
    for (int attempt = 0; attempt < 3 && m_port == 0; ++attempt) {
        const quint16 port = freePort();
        const QString dir = m_dir.path() + QStringLiteral("/db%1").arg(attempt);
        QString out;
        const QStringList args = QStringList{"start", dir, QString::number(port), "--owner",
                                             QString::number(QCoreApplication::applicationPid())}
            + extraArguments;
        if (port && run(args, &out, 600000) && out.contains(QStringLiteral("logdb ready port=")))
            m_port = port;
        else
            m_error = QStringLiteral("log database did not start: %1").arg(out);
        if (m_port == 0) {
            run({"stop", dir}, &out, 60000);
        } else {
            m_dbDir = dir;
            m_error.clear();
        }
    }
}

LogDbProcess::~LogDbProcess()
{
    stop();
}

void LogDbProcess::stop()
{
    if (m_dbDir.isEmpty())
        return;
    QString out;
    run({"stop", m_dbDir}, &out, 60000);
    m_port = 0;
}

QString LogDbProcess::sql(const QString &statements)
{
    QString out;
    if (m_port == 0 || !run({"sql", m_dbDir, statements}, &out, 600000))
        return QString();
    return out.isNull() ? QStringLiteral("") : out;
}

bool LogDbProcess::run(const QStringList &arguments, QString *output, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"), QStringList{m_script} + arguments);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        *output = QStringLiteral("timed out");
        return false;
    }
    *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
