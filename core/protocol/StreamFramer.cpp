#include "protocol/StreamFramer.h"

#include "util/ByteSearch.h"

#include <algorithm>

void StreamFramer::reset()
{
    m_buffer.clear();
    m_pos = 0;
    m_scanFrom = 0;
    m_message.clear();
    m_expected = 0;
    m_state = State::Header;
    m_broken = false;
}

StreamFramer::Status StreamFramer::takeHeaders()
{
    const char *data = m_buffer.constData();
    const qsizetype size = m_buffer.size();
    const qsizetype end = findBytes(data, size, "\r\n\r\n", 4, std::max(m_pos, m_scanFrom));
    if (end < 0) {
        if (size - m_pos > kMaxHeaderBytes)
            return Status::Oversized;
        // A terminator may straddle this chunk and the next.
        m_scanFrom = std::max(m_pos, size - 3);
        return Status::Ok;
    }
    const qsizetype headerLength = end + 4 - m_pos;
    if (headerLength > kMaxHeaderBytes)
        return Status::Oversized;

    const qsizetype lengthAt = findBytes(data + m_pos, headerLength, "Content-Length:", 15);
    qint64 bodyLength = 0;
    if (lengthAt >= 0)
        bodyLength = std::max<qint64>(0, leadingDecimal(data + m_pos, lengthAt + 15, headerLength));
    if (bodyLength > kMaxBodyBytes)
        return Status::Oversized;

    m_message.reserve(static_cast<int>(headerLength + bodyLength));
    m_message.append(data + m_pos, static_cast<int>(headerLength));
    m_pos += headerLength;
    m_scanFrom = m_pos;
    m_expected = bodyLength;
    m_state = State::Body;
    return Status::Ok;
}

StreamFramer::Status StreamFramer::feed(const char *data, qsizetype length, const Handler &handler)
{
    if (m_broken)
        return Status::Oversized;

    // A body in progress takes its bytes straight from the chunk: a large
    // answer is copied once, not buffered and moved again.
    if (m_state == State::Body && m_buffer.size() == m_pos) {
        const qsizetype take = static_cast<qsizetype>(std::min<qint64>(m_expected, length));
        m_message.append(data, static_cast<int>(take));
        m_expected -= take;
        data += take;
        length -= take;
        if (m_expected > 0)
            return Status::Ok;
    }
    if (length > 0) {
        if (m_pos > 0 && m_pos == m_buffer.size()) {
            m_buffer.clear();
            m_scanFrom = m_pos = 0;
        }
        m_buffer.append(data, static_cast<int>(length));
    }

    for (;;) {
        if (m_state == State::Header) {
            if (takeHeaders() == Status::Oversized) {
                m_broken = true;
                return Status::Oversized;
            }
            if (m_state == State::Header)
                break;
        }
        const qsizetype available = m_buffer.size() - m_pos;
        const qsizetype take = static_cast<qsizetype>(std::min<qint64>(m_expected, available));
        m_message.append(m_buffer.constData() + m_pos, static_cast<int>(take));
        m_pos += take;
        m_scanFrom = m_pos;
        m_expected -= take;
        if (m_expected > 0)
            break;
        m_state = State::Header;
        QByteArray complete;
        complete.swap(m_message);
        handler(std::move(complete));
    }

    // Drop what has been consumed once it is the larger part of the buffer.
    if (m_pos > 0 && (m_pos == m_buffer.size() || m_pos > m_buffer.size() / 2)) {
        m_buffer.remove(0, static_cast<int>(m_pos));
        m_scanFrom -= m_pos;
        m_pos = 0;
    }
    return Status::Ok;
}
