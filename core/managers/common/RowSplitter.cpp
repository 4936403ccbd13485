#include "managers/common/RowSplitter.h"

#include "util/BodyParsers.h"

#include <string>

namespace rows {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

const char *skipBlanks(const char *p, const char *end)
{
    while (p < end && isBlank(*p))
        ++p;
    return p;
}

// The end (one past the closing brace) of the object starting at p, or
// nullptr when it does not close. Strings are skipped with their escapes, so
// braces inside names and values do not count. A "/" outside a string starts
// a comment, which JSON does not have (and the general parser would let one
// follow a value): such a row does not close either.
const char *objectEnd(const char *p, const char *end)
{
    int depth = 0;
    bool inString = false;
    for (; p < end; ++p) {
        const char c = *p;
        if (inString) {
            if (c == '\\') {
                if (p + 1 == end)
                    return nullptr;
                ++p;
            } else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '/') {
            return nullptr;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (--depth == 0)
                return p + 1;
        }
    }
    return nullptr;
}

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string &out, unsigned cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool hex4(const char *p, const char *end, unsigned &value)
{
    if (end - p < 4)
        return false;
    value = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = p[i];
        value <<= 4;
        if (c >= '0' && c <= '9')
            value |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            value |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            value |= static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
    }
    return true;
}

// Reads the JSON string starting at p (on its opening quote) into out; p ends
// one past the closing quote. False for anything that is not a plain valid
// string; the general parser then decides.
bool readString(const char *&p, const char *end, std::string &out)
{
    out.clear();
    ++p;
    const char *run = p;
    while (p < end) {
        const char c = *p;
        if (c == '"') {
            out.append(run, static_cast<size_t>(p - run));
            ++p;
            return true;
        }
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
        if (c != '\\') {
            ++p;
            continue;
        }
        out.append(run, static_cast<size_t>(p - run));
        if (++p == end)
            return false;
        switch (*p) {
        case '"': out.push_back('"'); break;
        case '\\': out.push_back('\\'); break;
        case '/': out.push_back('/'); break;
        case 'b': out.push_back('\b'); break;
        case 'f': out.push_back('\f'); break;
        case 'n': out.push_back('\n'); break;
        case 'r': out.push_back('\r'); break;
        case 't': out.push_back('\t'); break;
        case 'u': {
            unsigned cp;
            if (!hex4(p + 1, end, cp))
                return false;
            p += 4;
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                unsigned low;
                if (end - p < 7 || p[1] != '\\' || p[2] != 'u' || !hex4(p + 3, end, low) || low < 0xDC00
                    || low > 0xDFFF)
                    return false;
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                p += 6;
            } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                return false;
            }
            appendUtf8(out, cp);
            break;
        }
        default:
            return false;
        }
        run = ++p;
    }
    return false;
}

// The common shape of a list row, an object of text members, read without
// the general parser: much faster on lists of many thousand rows. False for
// anything else (nested values, numbers, unusual text); such a row goes
// through the general parser instead.
bool readFlatRow(const char *p, const char *end, Json::Value &row)
{
    row = Json::Value(Json::objectValue);
    static thread_local std::string key;
    static thread_local std::string value;
    p = skipBlanks(p + 1, end);
    if (p < end && *p == '}')
        return skipBlanks(p + 1, end) == end;
    for (;;) {
        if (p == end || *p != '"' || !readString(p, end, key))
            return false;
        p = skipBlanks(p, end);
        if (p == end || *p != ':')
            return false;
        p = skipBlanks(p + 1, end);
        if (p == end || *p != '"' || !readString(p, end, value))
            return false;
        row[key] = Json::Value(value.data(), value.data() + value.size());
        p = skipBlanks(p, end);
        if (p == end)
            return false;
        if (*p == '}')
            return skipBlanks(p + 1, end) == end;
        if (*p != ',')
            return false;
        p = skipBlanks(p + 1, end);
    }
}

// Rows are parsed a batch at a time: one parser run per batch keeps the
// parser's set-up cost off every row, and a batch's document tree stays small.
// The batch parser is the strict one: a row with a trailing comma is not
// JSON, whichever reader the row happens to meet.
constexpr int kRowsPerBatch = 256;

bool parseBatch(const char *from, const char *to, int rowCount, QByteArray &buffer,
                const std::function<void(const Json::Value &row)> &visit)
{
    buffer.resize(0);
    buffer.append('[');
    buffer.append(from, static_cast<int>(to - from));
    buffer.append(']');
    Json::Value batch;
    if (!body::parseStrictJson(buffer.constData(), buffer.size(), batch) || !batch.isArray()
        || batch.size() != static_cast<Json::ArrayIndex>(rowCount))
        return false;
    for (const Json::Value &row : batch) {
        if (!row.isObject())
            return false;
    }
    for (const Json::Value &row : batch)
        visit(row);
    return true;
}

} // namespace

bool forEachRow(const QByteArray &body, const std::function<void(const Json::Value &row)> &visit)
{
    const char *p = body.constData();
    const char *const end = p + body.size();
    p = skipBlanks(p, end);
    if (p == end || *p != '[')
        return false;
    p = skipBlanks(p + 1, end);
    if (p < end && *p == ']')
        return skipBlanks(p + 1, end) == end;

    QByteArray buffer;
    Json::Value flat;
    const char *batchStart = p;
    int inBatch = 0;
    for (;;) {
        if (p == end || *p != '{')
            return false;
        const char *rowEnd = objectEnd(p, end);
        if (!rowEnd)
            return false;
        // A flat row is visited at once; any other starts a batch for the
        // general parser, which keeps the rows in their order.
        if (inBatch == 0 && readFlatRow(p, rowEnd, flat)) {
            visit(flat);
        } else {
            if (inBatch == 0)
                batchStart = p;
            ++inBatch;
        }
        p = skipBlanks(rowEnd, end);
        if (p == end)
            return false;
        const bool last = *p == ']';
        if (!last && *p != ',')
            return false;
        if (inBatch > 0 && (last || inBatch == kRowsPerBatch)) {
            if (!parseBatch(batchStart, rowEnd, inBatch, buffer, visit))
                return false;
            inBatch = 0;
        }
        if (last)
            return skipBlanks(p + 1, end) == end;
        p = skipBlanks(p + 1, end);
    }
}

} // namespace rows
