#include "managers/common/TerminalTypeNames.h"

QByteArray terminalTypeName(int code)
{
    switch (code) {
    case TypeMic26:
        return QByteArrayLiteral("Mic26");
    case TypeMic35:
        return QByteArrayLiteral("Mic35");
    case TypeMic48:
        return QByteArrayLiteral("Mic48");
    case TypeIp:
        return QByteArrayLiteral("IP");
    case TypeM37:
        return QByteArrayLiteral("M37");
    default:
        return QByteArray();
    }
}
