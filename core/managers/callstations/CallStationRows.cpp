#include "managers/callstations/CallStationRows.h"

#include "managers/common/RowFields.h"

namespace callstations {

namespace {

// The members both stations share.
OvMic talkTerminal(const Json::Value &row)
{
    OvMic m;
    m.readBaseFields(row);
    m.ver = rows::text(row, "ver");
    m.exten = rows::text(row, "exten");
    m.broVol = rows::integer(row, "broVol");
    m.capVol = rows::integer(row, "capVol");
    m.bellVol = rows::integer(row, "bellVol");
    m.callVol = rows::integer(row, "callVol");
    return m;
}

} // namespace

OvMic m26FromRow(const Json::Value &row)
{
    OvMic m = talkTerminal(row);
    m.ppt = rows::integer(row, "ppt");
    m.aec = rows::integer(row, "aec");
    if (m.name.isEmpty())
        m.name = "M26_" + QByteArray::number(m.id);
    return m;
}

OvMic m48FromRow(const Json::Value &row)
{
    OvMic m = talkTerminal(row);
    m.work = rows::text(row, "work");
    m.ledColor = rows::integer(row, "ledColor");
    m.switchMode = rows::integer(row, "switchMode");
    m.displayTime = rows::integer(row, "displayTime");
    m.ledTxt = rows::text(row, "ledTxt");
    if (m.name.isEmpty())
        m.name = (m.exten == "--" ? QByteArrayLiteral("M48") : m.exten) + '_' + QByteArray::number(m.id);
    return m;
}

} // namespace callstations
