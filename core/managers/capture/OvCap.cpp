#include "managers/capture/OvCap.h"

#include "managers/common/RowFields.h"

#include <limits>

std::optional<int> OvCap::strictId(const QByteArray &text)
{
    const char *p = text.constData();
    const char *const end = p + text.size();
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end || *p < '0' || *p > '9')
        return std::nullopt;
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<OvCap> OvCap::fromRow(const Json::Value &row)
{
    const QByteArray idText = rows::text(row, "terminalId");
    const std::optional<int> id = strictId(idText);
    if (!id)
        return std::nullopt;
    OvCap c;
    c.readBaseFields(row);
    c.id = *id;
    if (c.name.isEmpty())
        c.name = "Cap_" + idText;
    c.exten = rows::text(row, "exten");
    c.ver = rows::text(row, "ver");
    c.capVol = rows::integer(row, "capVol");
    c.capSamplerate = rows::integer(row, "capSamplerate");
    return c;
}
