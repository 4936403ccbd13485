#include "db/JsonRows.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace JsonRows {

void appendEscaped(std::string &out, const char *text, size_t length)
{
    static const char hex[] = "0123456789abcdef";
    size_t runStart = 0;
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(text + runStart, i - runStart);
        runStart = i + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    out.append(text + runStart, length - runStart);
}

QByteArray quoted(const QByteArray &text)
{
    std::string s = "\"";
    appendEscaped(s, text.constData(), size_t(text.size()));
    s += '"';
    return QByteArray::fromStdString(s);
}

QByteArray Result::joined() const
{
    QByteArray all;
    all.reserve(int(size));
    for (const QByteArray &b : blocks)
        all += b;
    return all;
}

namespace {

constexpr qsizetype blockSize = 1 << 20;

// Appends into fixed-size blocks; a value that does not fit starts a new block.
class BlockWriter
{
public:
    explicit BlockWriter(Result &r) : m_r(r) {}
    ~BlockWriter() { finish(); }

    char *reserve(qsizetype n)
    {
        if (m_end - m_pos < n)
            grow(n);
        return m_pos;
    }
    void commit(char *to) { m_pos = to; }
    void append(const char *text, qsizetype n)
    {
        char *p = reserve(n);
        memcpy(p, text, size_t(n));
        m_pos = p + n;
    }
    void put(char c) { *reserve(1) = c, ++m_pos; }
    qint64 size() const { return m_done + (m_pos - m_begin); }
    void finish()
    {
        if (m_begin) {
            m_r.blocks.last().resize(int(m_pos - m_begin));
            m_r.size = size();
        }
        m_begin = m_pos = m_end = nullptr;
    }

private:
    void grow(qsizetype n)
    {
        finish();
        m_done = m_r.size;
        m_r.blocks.append(QByteArray(int(std::max(blockSize, n)), Qt::Uninitialized));
        m_begin = m_pos = m_r.blocks.last().data();
        m_end = m_begin + m_r.blocks.last().size();
    }

    Result &m_r;
    char *m_begin = nullptr;
    char *m_pos = nullptr;
    char *m_end = nullptr;
    qint64 m_done = 0;
};

char *escapeInto(char *out, const unsigned char *text, qsizetype length)
{
    static const char hex[] = "0123456789abcdef";
    for (qsizetype i = 0; i < length; ++i) {
        const unsigned char c = text[i];
        if (c >= 0x20 && c != '"' && c != '\\') {
            *out++ = char(c);
            continue;
        }
        *out++ = '\\';
        switch (c) {
        case '"': *out++ = '"'; break;
        case '\\': *out++ = '\\'; break;
        case '\n': *out++ = 'n'; break;
        case '\r': *out++ = 'r'; break;
        case '\t': *out++ = 't'; break;
        case '\b': *out++ = 'b'; break;
        case '\f': *out++ = 'f'; break;
        default:
            *out++ = 'u';
            *out++ = '0';
            *out++ = '0';
            *out++ = hex[c >> 4];
            *out++ = hex[c & 15];
        }
    }
    return out;
}

} // namespace

Result write(sqlite3_stmt *stmt, const Limits &limits)
{
    Result r;
    const int columns = sqlite3_column_count(stmt);
    std::vector<std::string> keys(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        const char *name = sqlite3_column_name(stmt, c);
        std::string k = c == 0 ? "{\"" : ",\"";
        appendEscaped(k, name, strlen(name));
        k += "\":\"";
        keys[size_t(c)] = std::move(k);
    }
    {
        BlockWriter out(r);
        out.put('[');
        for (;;) {
            const int rc = sqlite3_step(stmt);
            if (rc == SQLITE_DONE)
                break;
            if (rc != SQLITE_ROW) {
                r.error = sqlite3_errmsg(sqlite3_db_handle(stmt));
                return r;
            }
            if (limits.maxRows > 0 && r.rows >= limits.maxRows) {
                r.error = "answer exceeds " + QByteArray::number(limits.maxRows) + " rows";
                return r;
            }
            if (r.rows > 0)
                out.put(',');
            for (int c = 0; c < columns; ++c) {
                const std::string &key = keys[size_t(c)];
                if (sqlite3_column_type(stmt, c) == SQLITE_INTEGER) {
                    char *p = out.reserve(qsizetype(key.size()) + 24);
                    memcpy(p, key.data(), key.size());
                    p += key.size();
                    p = std::to_chars(p, p + 21, sqlite3_column_int64(stmt, c)).ptr;
                    *p++ = '"';
                    out.commit(p);
                } else {
                    const auto *t = sqlite3_column_text(stmt, c);
                    const qsizetype n = sqlite3_column_bytes(stmt, c);
                    char *p = out.reserve(qsizetype(key.size()) + 6 * n + 2);
                    memcpy(p, key.data(), key.size());
                    p = escapeInto(p + key.size(), t, t ? n : 0);
                    *p++ = '"';
                    out.commit(p);
                }
            }
            if (columns > 0)
                out.put('}');
            else
                out.append("{}", 2);
            ++r.rows;
            if (limits.maxBytes > 0 && out.size() > limits.maxBytes) {
                r.error = "answer exceeds " + QByteArray::number(limits.maxBytes) + " bytes";
                return r;
            }
        }
        out.put(']');
    }
    r.ok = true;
    return r;
}

} // namespace JsonRows
