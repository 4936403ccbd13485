#include "DbpTestClient.h"

#include <QDateTime>
#include <QHostAddress>
#include <QDeadlineTimer>
#include <QMessageAuthenticationCode>

bool DbpTestClient::connectTo(quint16 port)
{
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    return m_socket.waitForConnected(10000);
}

void DbpTestClient::send(const QByteArray &bytes)
{
    m_socket.write(bytes);
    m_socket.waitForBytesWritten(10000);
}

QByteArray DbpTestClient::takeMessage()
{
    const qsizetype end = m_buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return QByteArray();
    qsizetype length = 0;
    const qsizetype at = m_buffer.left(end).indexOf("Content-Length:");
    if (at >= 0)
        length = m_buffer.mid(at + 15, end - at - 15).split('\r').first().trimmed().toLongLong();
    if (m_buffer.size() < end + 4 + length)
        return QByteArray();
    const QByteArray m = m_buffer.left(end + 4 + length);
    m_buffer.remove(0, m.size());
    return m;
}

QByteArray DbpTestClient::next(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QByteArray m = takeMessage();
        if (!m.isEmpty())
            return m;
        if (deadline.hasExpired() || m_socket.state() != QAbstractSocket::ConnectedState)
            return QByteArray();
        if (m_socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            m_buffer += m_socket.readAll();
    }
}

QByteArray DbpTestClient::nextStartingWith(const QByteArray &prefix, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QByteArray m = next(int(qMax<qint64>(1, deadline.remainingTime())));
        if (m.isEmpty() || m.startsWith(prefix))
            return m;
    }
}

bool DbpTestClient::waitClosed(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        if (m_socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            m_buffer += m_socket.readAll();
    }
    return m_socket.state() != QAbstractSocket::ConnectedState;
}

QByteArray DbpTestClient::login(int cseq, const QByteArray &user, const QByteArray &password)
{
    const QByteArray time = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss").toUtf8();
    const QByteArray digest = QMessageAuthenticationCode::hash(
        "Name$" + user + "$PassWord$" + password + "$Time$" + time, password, QCryptographicHash::Sha1).toHex();
    const QByteArray b = "{\"Name\":\"" + user + "\",\"PassWord\":\"" + digest + "\",\"Time\":\"" + time + "\"}\n";
    send("LOGIN DBP/1.0\r\nCSeq: " + QByteArray::number(cseq) + "\r\nPacket-Type:TalkManagerLogin\r\nContent-Length:"
         + QByteArray::number(b.size()) + "\r\n\r\n" + b);
    return next();
}

QByteArray DbpTestClient::post(int cseq, const QByteArray &type, const QByteArray &b)
{
    return "POST DBP/1.0\r\nCSeq: " + QByteArray::number(cseq) + "\r\nPacket-Type:" + type + "\r\nContent-Length:"
        + QByteArray::number(b.size()) + "\r\n\r\n" + b;
}

QByteArray DbpTestClient::list(int cseq, const QByteArray &name, const QByteArray &sql)
{
    return "GET DBP/1.0\r\nCSeq: " + QByteArray::number(cseq) + "\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: " + name
        + "\r\nContent-Length:" + QByteArray::number(sql.size()) + "\r\n\r\n" + sql;
}

QByteArray DbpTestClient::body(const QByteArray &message)
{
    const qsizetype end = message.indexOf("\r\n\r\n");
    return end < 0 ? QByteArray() : message.mid(end + 4);
}
