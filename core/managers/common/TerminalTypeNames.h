#pragma once

#include <QByteArray>

// Terminal type codes as the server numbers them in rows and call books.
enum TerminalTypeCode : int {
    TypeMic26 = 2,
    TypeMic35 = 3,
    TypeMic48 = 4,
    TypeIp = 6,
    TypeM37 = 8,
};

// The name shown for a numeric type code: "Mic26", "Mic35", "Mic48", "IP",
// "M37"; empty for any other code.
QByteArray terminalTypeName(int code);
