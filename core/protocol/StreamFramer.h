#pragma once

#include <QByteArray>

#include <functional>

// Cuts complete DBP messages out of the received byte stream. It never sees a
// socket: bytes go in, whole messages come out through the handler, in order.
// A message is handed over as its header block (first line to the empty
// line, inclusive) and its body, so a multi-megabyte body is never copied or
// moved once it has arrived. A message over the caps means the peer is
// broken; the connection ends.
class StreamFramer
{
public:
    static constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
    static constexpr qint64 kMaxBodyBytes = 256 * 1024 * 1024;

    enum class Status { Ok, Oversized };
    using Handler = std::function<void(QByteArray &&header, QByteArray &&body)>;

    // Appends a chunk and hands every message now complete to the handler.
    // After Oversized the framer refuses further input until reset().
    Status feed(const char *data, qsizetype length, const Handler &handler);
    Status feed(const QByteArray &chunk, const Handler &handler)
    {
        return feed(chunk.constData(), chunk.size(), handler);
    }

    // While a body is being read and nothing else is buffered, the place
    // where its next bytes go: the socket can read straight into the message.
    // Returns nullptr (and capacity 0) otherwise.
    char *bodySpace(qsizetype &capacity);
    // Counts `length` bytes written into bodySpace() and delivers the message
    // once it is complete.
    void commitBody(qsizetype length, const Handler &handler);

    // Offers a body the dispatcher has finished with, so the next large body
    // reuses memory that is already mapped.
    void recycle(QByteArray &&spent);

    void reset();
    // Bytes held for messages not yet complete.
    qsizetype buffered() const { return m_buffer.size() - m_pos + m_header.size() + m_filled; }

private:
    enum class State { Header, Body };
    Status takeHeaders();
    void deliver(const Handler &handler);

    QByteArray m_buffer;  // bytes not yet moved into a message
    qsizetype m_pos = 0;  // start of the unread part of m_buffer
    qsizetype m_scanFrom = 0;  // where the next search for the header end starts
    QByteArray m_header;
    QByteArray m_body;  // sized for the whole body once the headers are in
    QByteArray m_spare;  // a spent body kept for reuse
    qsizetype m_filled = 0;  // body bytes written so far
    qint64 m_expected = 0;  // body bytes still missing
    State m_state = State::Header;
    bool m_broken = false;
};
