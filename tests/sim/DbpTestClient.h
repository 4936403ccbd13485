#pragma once

#include <QByteArray>
#include <QTcpSocket>

// A console stand-in for the simulator's tests: writes literal DBP texts on a
// plain socket and cuts received messages by their Content-Length. Shares no
// code with the console or the simulator.
class DbpTestClient
{
public:
    bool connectTo(quint16 port);
    void send(const QByteArray &bytes);
    // The next complete message; empty when none arrives within the timeout.
    QByteArray next(int timeoutMs = 10000);
    // The next message that starts with prefix, skipping others.
    QByteArray nextStartingWith(const QByteArray &prefix, int timeoutMs = 10000);
    // True when the simulator closed the connection within the timeout.
    bool waitClosed(int timeoutMs = 10000);
    // Logs in; returns the login answer.
    QByteArray login(int cseq, const QByteArray &user, const QByteArray &password);
    QTcpSocket &socket() { return m_socket; }
    QByteArray buffered() const { return m_buffer; }

    static QByteArray post(int cseq, const QByteArray &type, const QByteArray &body);
    static QByteArray list(int cseq, const QByteArray &name, const QByteArray &sql);
    static QByteArray body(const QByteArray &message);

private:
    QByteArray takeMessage();

    QTcpSocket m_socket;
    QByteArray m_buffer;
};
