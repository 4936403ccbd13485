#pragma once

#include "wire/DbpFramer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QVector>

#include <deque>

class DbpMessage;
class QTcpSocket;

// One console connection: its receive buffer and framing, its login state and
// its outgoing queue, which is where delayed and chunked answers are shaped.
class SimSession : public QObject
{
    Q_OBJECT
public:
    SimSession(QTcpSocket *socket, int number, QObject *parent = nullptr);
    ~SimSession() override;

    int number() const { return m_number; }
    bool loggedIn() const { return m_loggedIn; }
    void setLoggedIn(const QByteArray &user)
    {
        m_loggedIn = true;
        m_user = user;
    }
    int answered() const { return m_answered; }
    void countAnswer() { ++m_answered; }

    // Queues bytes; they leave after delayMs, in pieces of chunkBytes when set.
    void send(const QByteArray &bytes, int delayMs, int chunkBytes);
    void send(const QVector<QByteArray> &parts, int delayMs, int chunkBytes);
    // Closes once everything queued so far has been written.
    void closeWhenSent();
    void closeNow();

signals:
    void received(SimSession *session, const QByteArray &bytes);
    void message(SimSession *session, const DbpMessage &request);
    void closed(SimSession *session);

private:
    void onReadyRead();
    void pump();

    struct Outgoing {
        qint64 due;
        QByteArray bytes;
        int chunk;
        bool close;
    };

    QTcpSocket *m_socket;
    int m_number;
    bool m_loggedIn = false;
    QByteArray m_user;
    int m_answered = 0;
    QByteArray m_buffer;
    FrameLimits m_limits;
    std::deque<Outgoing> m_out;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_closing = false;
};
