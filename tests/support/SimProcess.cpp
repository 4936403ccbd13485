#include "SimProcess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

SimProcess::SimProcess(const QStringList &extraArguments, int startTimeoutMs)
{
    const QString program = qEnvironmentVariable("TALKBACK_SIM");
    if (program.isEmpty()) {
        m_error = QStringLiteral("TALKBACK_SIM is not set");
        return;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(program, extraArguments + QStringList{"--port", "0", "--media-port", "0"});
    if (!m_process.waitForStarted(startTimeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(program, m_process.errorString());
        return;
    }
    const QString line = readLine(startTimeoutMs);
    static const QRegularExpression startup(QStringLiteral("^talkback-sim listening dbp=(\\d+) media=(\\d+)$"));
    const auto match = startup.match(line);
    if (!match.hasMatch()) {
        m_error = QStringLiteral("unexpected start-up line \"%1\"").arg(line);
        stop();
        return;
    }
    m_dbpPort = quint16(match.captured(1).toUInt());
    m_mediaPort = quint16(match.captured(2).toUInt());
}

SimProcess::~SimProcess()
{
    stop();
}

void SimProcess::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    m_dbpPort = 0;
}

QString SimProcess::readLine(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const qsizetype nl = m_pending.indexOf('\n');
        if (nl >= 0) {
            const QByteArray line = m_pending.left(nl);
            m_pending.remove(0, nl + 1);
            return QString::fromUtf8(line).trimmed();
        }
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
            return QString();
        if (m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            m_pending += m_process.readAllStandardOutput();
    }
}

QString SimProcess::command(const QString &line, int timeoutMs)
{
    if (m_process.state() != QProcess::Running)
        return QString();
    m_process.write(line.toUtf8() + '\n');
    m_process.waitForBytesWritten(timeoutMs);
    return readLine(timeoutMs);
}

QByteArray SimProcess::receivedLog()
{
    const QString reply = command(QStringLiteral("log"));
    if (!reply.startsWith(QLatin1String("ok")))
        return QByteArray();
    return QByteArray::fromBase64(reply.mid(2).trimmed().toLatin1());
}
