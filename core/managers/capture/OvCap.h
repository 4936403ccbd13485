#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

#include <optional>

// An audio capture box (a row of the server's table "capm59"). Status: 0
// offline, 1 idle, 2 broadcasting.
class OvCap : public OvBaseTerminal
{
public:
    QByteArray exten;       // "exten"
    QByteArray ver;         // "ver"
    int capVol = 0;         // "capVol": 0..100
    int capSamplerate = 0;  // "capSamplerate": 16000, 24000 or 32000 Hz

    // Reads one row. The id must be a number in the 32-bit range as the
    // standard string-to-int conversion reads it (leading blanks and a sign
    // allowed, the number ends at the first non-digit): a row whose
    // "terminalId" is not gives nothing, so the caller can skip it. An empty
    // name becomes "Cap_" and the "terminalId" text.
    static std::optional<OvCap> fromRow(const Json::Value &row);
    // The id of such a text, or nothing.
    static std::optional<int> strictId(const QByteArray &text);
};
Q_DECLARE_METATYPE(OvCap)
