#pragma once

#include <QByteArray>

namespace Json {
class Value;
}

// What every device record has: the server's id, address, name, type text and
// working state. Texts are the bytes as received (the console's 8-bit code
// page); screens convert them for display.
class OvBaseTerminal
{
public:
    OvBaseTerminal() = default;
    OvBaseTerminal(const OvBaseTerminal &) = default;
    OvBaseTerminal &operator=(const OvBaseTerminal &) = default;
    OvBaseTerminal(OvBaseTerminal &&) noexcept = default;
    OvBaseTerminal &operator=(OvBaseTerminal &&) noexcept = default;
    virtual ~OvBaseTerminal();

    // Reads the members every family's row has: "terminalId" (as a decimal,
    // in place), "ip", "name" (as it is: each family has its own fallback for
    // an empty one), "type" and "status".
    void readBaseFields(const Json::Value &row);

    int id = 0;          // "terminalId": unique across all families, the key of every cache
    QByteArray ip;       // "ip"
    QByteArray name;     // "name"
    QByteArray type;     // "type": the server's type column
    int status = 0;      // "status": meanings per family
};
