#pragma once

#include <QByteArray>

#include <functional>

// Cuts complete DBP messages out of the received byte stream. It never sees a
// socket: bytes go in, whole messages come out through the handler, in order.
// A message over the caps means the peer is broken; the connection ends.
class StreamFramer
{
public:
    static constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
    static constexpr qint64 kMaxBodyBytes = 256 * 1024 * 1024;

    enum class Status { Ok, Oversized };
    using Handler = std::function<void(QByteArray &&message)>;

    // Appends a chunk and hands every message now complete to the handler.
    // After Oversized the framer refuses further input until reset().
    Status feed(const char *data, qsizetype length, const Handler &handler);
    Status feed(const QByteArray &chunk, const Handler &handler)
    {
        return feed(chunk.constData(), chunk.size(), handler);
    }

    void reset();
    // Bytes held for messages not yet complete.
    qsizetype buffered() const { return m_buffer.size() - m_pos + m_message.size(); }
    // True while part of a message has arrived and the rest is awaited.
    bool inMessage() const { return m_state == State::Body || m_buffer.size() > m_pos; }

private:
    enum class State { Header, Body };
    Status takeHeaders();

    QByteArray m_buffer;  // bytes not yet moved into a message
    qsizetype m_pos = 0;  // start of the unread part of m_buffer
    qsizetype m_scanFrom = 0;  // where the next search for the header end starts
    QByteArray m_message;
    qint64 m_expected = 0;  // body bytes still missing
    State m_state = State::Header;
    bool m_broken = false;
};
