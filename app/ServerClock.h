#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>

#include <functional>

// The main window's clock: the server's time once the answer to
// GetSystemTime has arrived, counted on locally every second; the
// computer's own time until then.
class ServerClock : public QObject
{
    Q_OBJECT
public:
    using TimeSource = std::function<QByteArray()>;
    using LocalNow = std::function<QDateTime()>;

    explicit ServerClock(TimeSource source, QObject *parent = nullptr);

    void setLocalNow(LocalNow now) { m_now = std::move(now); }
    // Reads the server time once and starts the one-second timer.
    void start();
    // One second passed.
    void tick();

    qint64 serverSeconds() const { return m_serverClock; }
    QString dateText() const { return m_date; }
    QString timeText() const { return m_time; }

signals:
    void displayChanged(const QString &date, const QString &time);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    static qint64 secondsOf(const QByteArray &text);
    void show(const QDateTime &local);

    TimeSource m_source;
    LocalNow m_now;
    qint64 m_serverClock = 0;
    int m_timerId = 0;
    QString m_date = QStringLiteral("--------");
    QString m_time = QStringLiteral("--------");
};
