#include "server/SimSession.h"

#include "wire/DbpMessage.h"

#include <QTcpSocket>

#include <cstdio>

SimSession::SimSession(QTcpSocket *socket, int number, QObject *parent)
    : QObject(parent), m_socket(socket), m_number(number)
{
    m_socket->setParent(this);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_clock.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SimSession::pump);
    connect(m_socket, &QTcpSocket::readyRead, this, &SimSession::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, [this]() { emit closed(this); });
    // Never re-enter pump() from here: flush() inside pump() emits bytesWritten.
    connect(m_socket, &QTcpSocket::bytesWritten, this, [this]() {
        if (!m_out.empty() && m_socket->bytesToWrite() < 2 * 1024 * 1024 && !m_timer.isActive())
            m_timer.start(0);
    });
}

SimSession::~SimSession() = default;

void SimSession::onReadyRead()
{
    const QByteArray chunk = m_socket->readAll();
    emit received(this, chunk);
    m_buffer += chunk;
    while (!m_closing) {
        const FrameResult r = frameRequest(m_buffer, m_limits);
        if (r.status == FrameResult::Incomplete)
            break;
        if (r.status == FrameResult::Bad) {
            // The stream has lost its framing; nothing after this can be trusted.
            std::fprintf(stderr, "talkback-sim: connection %d: %s, closing\n", m_number, qPrintable(r.error));
            closeNow();
            return;
        }
        const DbpMessage request = DbpMessage::parse(m_buffer.mid(r.skip, r.size));
        m_buffer.remove(0, r.skip + r.size);
        emit message(this, request);
    }
}

void SimSession::send(const QByteArray &bytes, int delayMs, int chunkBytes)
{
    if (m_closing)
        return;
    m_out.push_back({m_clock.elapsed() + delayMs, bytes, chunkBytes, false});
    pump();
}

void SimSession::send(const QVector<QByteArray> &parts, int delayMs, int chunkBytes)
{
    if (m_closing)
        return;
    const qint64 due = m_clock.elapsed() + delayMs;
    for (const QByteArray &p : parts)
        m_out.push_back({due, p, chunkBytes, false});
    pump();
}

void SimSession::closeWhenSent()
{
    const qint64 due = m_out.empty() ? m_clock.elapsed() : m_out.back().due;
    m_out.push_back({due, QByteArray(), 0, true});
    pump();
}

void SimSession::closeNow()
{
    m_closing = true;
    m_out.clear();
    m_socket->abort();
    emit closed(this);
}

void SimSession::pump()
{
    // Only one piece is handed to the socket at a time when chunking, so that
    // every piece leaves as its own segment.
    while (!m_out.empty() && !m_closing) {
        Outgoing &o = m_out.front();
        const qint64 wait = o.due - m_clock.elapsed();
        if (wait > 0) {
            m_timer.start(int(wait));
            return;
        }
        if (o.close) {
            if (m_socket->bytesToWrite() > 0)
                return;  // bytesWritten brings us back
            m_closing = true;
            m_socket->disconnectFromHost();
            return;
        }
        if (o.chunk <= 0) {
            // Keep the socket's own buffer small: a large answer is handed over
            // block by block as the previous ones leave, which keeps the copy cheap.
            if (m_socket->bytesToWrite() >= 2 * 1024 * 1024)
                return;
            const QByteArray bytes = std::move(o.bytes);
            m_out.pop_front();
            m_socket->write(bytes);
            continue;
        }
        if (m_socket->bytesToWrite() > 0)
            return;
        const QByteArray piece = o.bytes.left(o.chunk);
        o.bytes.remove(0, o.chunk);
        if (o.bytes.isEmpty())
            m_out.pop_front();
        m_socket->write(piece);
        m_socket->flush();
        m_timer.start(2);
        return;
    }
}
