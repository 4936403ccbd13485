#include "media/MediaConnection.h"

#include "media/MediaAnswer.h"

bool MediaConnection::open(const QString &host, quint16 port, int connectMs)
{
    m_socket.connectToHost(host, port, QIODevice::ReadWrite);
    return m_socket.waitForConnected(connectMs);
}

bool MediaConnection::write(const QByteArray &bytes, int waitMs)
{
    if (m_socket.state() != QAbstractSocket::ConnectedState)
        return false;
    if (m_socket.write(bytes) != bytes.size())
        return false;
    while (waitMs > 0 && m_socket.bytesToWrite() > 0) {
        if (!m_socket.waitForBytesWritten(waitMs))
            return false;
    }
    return true;
}

MediaConnection::Read MediaConnection::readSome(qint64 max, int waitMs, QByteArray *out)
{
    if (m_socket.bytesAvailable() == 0) {
        if (m_socket.state() != QAbstractSocket::ConnectedState)
            return Read::Closed;
        if (!m_socket.waitForReadyRead(waitMs) && m_socket.bytesAvailable() == 0)
            return m_socket.state() == QAbstractSocket::ConnectedState ? Read::TimedOut
                                                                        : Read::Closed;
    }
    *out = m_socket.read(max);
    return Read::Data;
}

QByteArray MediaConnection::readOnce(int waitMs)
{
    QByteArray data;
    readSome(MediaAnswer::kHeaderCap, waitMs, &data);
    return data;
}

bool MediaConnection::readHeader(int waitMs, int cap, QByteArray *header, QByteArray *rest)
{
    QByteArray buf;
    for (;;) {
        int size = 0;
        switch (MediaAnswer::findHeader(buf, cap, &size)) {
        case MediaAnswer::Frame::Complete:
            *header = buf.left(size - MediaAnswer::terminator().size());
            *rest = buf.mid(size);
            return true;
        case MediaAnswer::Frame::TooLarge:
            return false;
        case MediaAnswer::Frame::Incomplete:
            break;
        }
        QByteArray piece;
        if (readSome(cap - buf.size(), waitMs, &piece) != Read::Data)
            return false;
        buf += piece;
    }
}

void MediaConnection::close()
{
    m_socket.abort();
}
