#include "managers/firealarm/OvFAlarm.h"

#include "managers/common/RowFields.h"

OvFAlarm OvFAlarm::fromRow(const Json::Value &row)
{
    OvFAlarm f;
    f.readBaseFields(row);
    if (f.name.isEmpty())
        f.name = "FAlarm_" + rows::text(row, "terminalId");
    f.ver = rows::text(row, "ver");
    f.broadcast = rows::text(row, "broadcast");
    f.shortCircuit = rows::integer(row, "shortCircuit");
    f.broadcastTrigger = rows::integer(row, "broadcastTrigger");
    f.stopBroadcast = rows::integer(row, "stopBroadcast");
    f.triggerType = rows::integer(row, "triggerType");
    return f;
}
