#pragma once

#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

class SimServer;

// For the demo: every interval one terminal changes its state (goes online or
// offline, starts or stops broadcasting, warms up or cools down) and the change
// is pushed like any other.
class LiveMode : public QObject
{
    Q_OBJECT
public:
    explicit LiveMode(SimServer &server, QObject *parent = nullptr);

    void start(int intervalMs);
    void stop();
    bool isActive() const { return m_timer.isActive(); }
    int intervalMs() const { return m_timer.interval(); }
    // One change now; returns a description ("ipamp 7 status 2").
    QString step();

private:
    SimServer &m_server;
    QTimer m_timer;
    QRandomGenerator m_random{20240601};
};
