#include "managers/firealarm/OvFAlarm.h"

#include "managers/common/RowFields.h"

OvFAlarm OvFAlarm::fromRow(const Json::Value &row)
{
    OvFAlarm f;
    const QByteArray idText = rows::text(row, "terminalId");
    f.id = rows::decimalValue(idText);
    f.ip = rows::text(row, "ip");
    f.name = rows::text(row, "name");
    if (f.name.isEmpty())
        f.name = "FAlarm_" + idText;
    f.type = rows::text(row, "type");
    f.status = rows::integer(row, "status");
    f.ver = rows::text(row, "ver");
    f.broadcast = rows::text(row, "broadcast");
    f.shortCircuit = rows::integer(row, "shortCircuit");
    f.broadcastTrigger = rows::integer(row, "broadcastTrigger");
    f.stopBroadcast = rows::integer(row, "stopBroadcast");
    f.triggerType = rows::integer(row, "triggerType");
    return f;
}
