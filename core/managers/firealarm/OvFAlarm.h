#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

// A fire-alarm interface (a row of the server's table "firealarm"). Status 0
// is offline, any other value online.
class OvFAlarm : public OvBaseTerminal
{
public:
    enum TriggerType : int { RegularTrigger = 1, FireTrigger = 2 };

    QByteArray ver;            // "ver"
    QByteArray broadcast;      // "broadcast": the channel table (FAlarmChannels)
    int shortCircuit = 0;      // "shortCircuit": bit n set = channel n+1 triggered
    int broadcastTrigger = 0;  // "broadcastTrigger": kept, not shown or sent
    int stopBroadcast = 0;     // "stopBroadcast": kept, not shown or sent
    int triggerType = 0;       // "triggerType": 1 regular, anything else a fire trigger

    // An empty name becomes "FAlarm_" and the "terminalId" text.
    static OvFAlarm fromRow(const Json::Value &row);
    bool channelTriggered(int channel) const
    {
        return channel >= 1 && channel <= 31 && (shortCircuit & (1 << (channel - 1))) != 0;
    }
};
Q_DECLARE_METATYPE(OvFAlarm)
