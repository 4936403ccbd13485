#include "managers/common/RowSplitter.h"

#include "util/BodyParsers.h"

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
// braces inside names and values do not count.
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
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (--depth == 0)
                return p + 1;
        }
    }
    return nullptr;
}

// Rows are parsed a batch at a time: one parser run per batch keeps the
// parser's set-up cost off every row, and a batch's document tree stays small.
constexpr int kRowsPerBatch = 256;

bool parseBatch(const char *from, const char *to, int rowCount, QByteArray &buffer,
                const std::function<void(const Json::Value &row)> &visit)
{
    buffer.resize(0);
    buffer.append('[');
    buffer.append(from, static_cast<int>(to - from));
    buffer.append(']');
    Json::Value batch;
    if (!body::parseJson(buffer, batch) || !batch.isArray() || batch.size() != static_cast<Json::ArrayIndex>(rowCount))
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
    const char *batchStart = p;
    int inBatch = 0;
    for (;;) {
        if (p == end || *p != '{')
            return false;
        const char *rowEnd = objectEnd(p, end);
        if (!rowEnd)
            return false;
        ++inBatch;
        p = skipBlanks(rowEnd, end);
        if (p == end)
            return false;
        const bool last = *p == ']';
        if (!last && *p != ',')
            return false;
        if (last || inBatch == kRowsPerBatch) {
            if (!parseBatch(batchStart, rowEnd, inBatch, buffer, visit))
                return false;
            inBatch = 0;
        }
        if (last)
            return skipBlanks(p + 1, end) == end;
        p = skipBlanks(p + 1, end);
        if (inBatch == 0)
            batchStart = p;
    }
}

} // namespace rows
