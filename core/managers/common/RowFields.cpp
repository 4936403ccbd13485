#include "managers/common/RowFields.h"

#include "util/BodyParsers.h"

#include <cstring>
#include <limits>

namespace rows {

QByteArray text(const Json::Value &row, const char *key)
{
    return body::memberText(row, key);
}

namespace {

int decimalOf(const char *p, const char *end)
{
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        if (value < kLimit)
            value = value * 10 + (*p - '0');
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

} // namespace

int decimalValue(const QByteArray &text)
{
    return decimalOf(text.constData(), text.constData() + text.size());
}

int integer(const Json::Value &row, const char *key)
{
    // Read in place: a list of 100,000 rows has over a million integer
    // members, and a text copy of each would be most of the reading time.
    if (row.isObject()) {
        const Json::Value *member = row.find(key, key + std::strlen(key));
        const char *begin = nullptr;
        const char *end = nullptr;
        if (member && member->isString() && member->getString(&begin, &end))
            return decimalOf(begin, end);
    }
    return decimalValue(text(row, key));
}

bool flag(const Json::Value &row, const char *key)
{
    return integer(row, key) != 0;
}

bool has(const Json::Value &row, const char *key)
{
    return row.isObject() && row.isMember(key);
}

Json::Value jsonText(const QByteArray &bytes)
{
    return Json::Value(bytes.constData(), bytes.constData() + bytes.size());
}

} // namespace rows
