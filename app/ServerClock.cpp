#include "ServerClock.h"

#include <QTimerEvent>

ServerClock::ServerClock(TimeSource source, QObject *parent)
    : QObject(parent), m_source(std::move(source)), m_now([] { return QDateTime::currentDateTime(); })
{
}

qint64 ServerClock::secondsOf(const QByteArray &text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? value : 0;  // "----" (no time in the answer) counts as 0
}

void ServerClock::start()
{
    m_serverClock = 0;
    const QByteArray text = m_source ? m_source() : QByteArray();
    if (!text.isEmpty())
        m_serverClock = secondsOf(text);
    if (m_timerId == 0)
        m_timerId = startTimer(1000, Qt::CoarseTimer);
}

void ServerClock::tick()
{
    if (m_serverClock != 0) {
        ++m_serverClock;
        show(QDateTime::fromSecsSinceEpoch(m_serverClock).toLocalTime());
        return;
    }
    const QByteArray text = m_source ? m_source() : QByteArray();
    if (!text.isEmpty()) {
        // Shown from the next tick on.
        m_serverClock = secondsOf(text) + 1;
        return;
    }
    show(m_now());
}

void ServerClock::show(const QDateTime &local)
{
    m_date = local.toString(QStringLiteral("yyyy-MM-dd"));
    m_time = local.toString(QStringLiteral("hh:mm:ss"));
    emit displayChanged(m_date, m_time);
}

void ServerClock::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_timerId)
        tick();
}
