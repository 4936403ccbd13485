#include "managers/terminals/OvTerminal.h"

#include "managers/common/RowFields.h"

namespace {

void readOptional(const Json::Value &row, const char *key, int &field)
{
    if (rows::has(row, key))
        field = rows::integer(row, key);
}

void readOptional(const Json::Value &row, const char *key, bool &field)
{
    if (rows::has(row, key))
        field = rows::flag(row, key);
}

} // namespace

OvTerminal OvTerminal::fromRow(const Json::Value &row)
{
    OvTerminal t;
    t.readBaseFields(row);
    if (t.name.isEmpty())
        t.name = rows::text(row, "terminalId");
    t.work = rows::text(row, "work");
    t.exten = rows::text(row, "exten");
    t.ver = rows::text(row, "ver");
    t.broVol = rows::integer(row, "broVol");
    t.power = rows::flag(row, "power");
    t.ampTemp = rows::integer(row, "ampTemp");
    t.localTemp = rows::integer(row, "localTemp");
    t.speaker = rows::integer(row, "speaker");
    t.input = rows::flag(row, "input");
    readOptional(row, "defaultVolumn", t.defaultVolumn);
    readOptional(row, "defaultPower", t.defaultPower);
    readOptional(row, "isDefault", t.isDefault);
    readOptional(row, "warnTempThreshold", t.warnTempThreshold);
    readOptional(row, "fanTempThreshold", t.fanTempThreshold);
    readOptional(row, "maxVol", t.maxVol);
    readOptional(row, "transportTcp", t.transport_tcp);
    readOptional(row, "masterId", t.master_id);
    return t;
}

QByteArray OvTerminal::toString() const
{
    return "OvTerminal(id=" + QByteArray::number(id) + " name=\"" + name + "\" type=\"" + type
           + "\" ip=\"" + ip + "\" status=" + QByteArray::number(status) + " exten=\"" + exten
           + "\" ver=\"" + ver + "\" broVol=" + QByteArray::number(broVol) + " power="
           + QByteArray::number(int(power)) + " ampTemp=" + QByteArray::number(ampTemp) + " localTemp="
           + QByteArray::number(localTemp) + " speaker=" + QByteArray::number(speaker) + " input="
           + QByteArray::number(int(input)) + " defaultVolumn=" + QByteArray::number(defaultVolumn)
           + " defaultPower=" + QByteArray::number(int(defaultPower)) + " isDefault="
           + QByteArray::number(int(isDefault)) + " warnTemp=" + QByteArray::number(warnTempThreshold)
           + " fanTemp=" + QByteArray::number(fanTempThreshold) + " maxVol=" + QByteArray::number(maxVol)
           + " tcp=" + QByteArray::number(int(transport_tcp)) + " master=" + QByteArray::number(master_id) + ")";
}
