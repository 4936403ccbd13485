#include "protocol/StreamFramer.h"

#include "util/ByteSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>

namespace {

constexpr qsizetype kLargeBody = 8 * 1024 * 1024;
constexpr int kMaxSpareBytes = 64 * 1024 * 1024;

// Multi-megabyte bodies land in memory the process has never touched; huge
// pages turn thousands of page faults into a handful.
void preferHugePages(char *data, qsizetype length)
{
    constexpr uintptr_t kHuge = 2 * 1024 * 1024;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + static_cast<uintptr_t>(length)) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
}

} // namespace

void StreamFramer::reset()
{
    m_buffer.clear();
    m_pos = 0;
    m_scanFrom = 0;
    m_header.clear();
    m_body.clear();
    m_filled = 0;
    m_expected = 0;
    m_state = State::Header;
    m_broken = false;
}

void StreamFramer::recycle(QByteArray &&spent)
{
    if (spent.isDetached() && spent.capacity() >= kLargeBody && spent.capacity() <= kMaxSpareBytes
        && spent.capacity() > m_spare.capacity())
        m_spare = std::move(spent);
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

    m_header = QByteArray(data + m_pos, static_cast<int>(headerLength));
    const int length = static_cast<int>(bodyLength);
    if (length >= kLargeBody && m_spare.capacity() >= length) {
        m_body = std::move(m_spare);
        m_spare = QByteArray();
    } else if (length >= kLargeBody) {
        m_body = QByteArray();
        m_body.reserve(length);
        preferHugePages(m_body.data(), length);
    }
    m_body.resize(length);
    m_filled = 0;
    m_pos += headerLength;
    m_scanFrom = m_pos;
    m_expected = bodyLength;
    m_state = State::Body;
    return Status::Ok;
}

char *StreamFramer::bodySpace(qsizetype &capacity)
{
    if (m_broken || m_state != State::Body || m_buffer.size() != m_pos || m_expected <= 0) {
        capacity = 0;
        return nullptr;
    }
    capacity = static_cast<qsizetype>(m_expected);
    return m_body.data() + m_filled;
}

void StreamFramer::commitBody(qsizetype length, const Handler &handler)
{
    m_filled += length;
    m_expected -= length;
    if (m_expected == 0)
        deliver(handler);
}

void StreamFramer::deliver(const Handler &handler)
{
    m_state = State::Header;
    m_filled = 0;
    QByteArray header;
    QByteArray body;
    header.swap(m_header);
    body.swap(m_body);
    handler(std::move(header), std::move(body));
}

StreamFramer::Status StreamFramer::feed(const char *data, qsizetype length, const Handler &handler)
{
    if (m_broken)
        return Status::Oversized;

    // A body in progress takes its bytes straight from the chunk.
    if (m_state == State::Body && m_buffer.size() == m_pos) {
        const qsizetype take = static_cast<qsizetype>(std::min<qint64>(m_expected, length));
        if (take > 0)
            std::memcpy(m_body.data() + m_filled, data, static_cast<size_t>(take));
        m_filled += take;
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
        if (take > 0)
            std::memcpy(m_body.data() + m_filled, m_buffer.constData() + m_pos, static_cast<size_t>(take));
        m_filled += take;
        m_pos += take;
        m_scanFrom = m_pos;
        m_expected -= take;
        if (m_expected > 0)
            break;
        deliver(handler);
    }

    // Drop what has been consumed once it is the larger part of the buffer.
    if (m_pos > 0 && (m_pos == m_buffer.size() || m_pos > m_buffer.size() / 2)) {
        m_buffer.remove(0, static_cast<int>(m_pos));
        m_scanFrom -= m_pos;
        m_pos = 0;
    }
    return Status::Ok;
}
