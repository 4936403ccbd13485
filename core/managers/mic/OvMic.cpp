#include "managers/mic/OvMic.h"

#include "managers/common/RowFields.h"

OvMic OvMic::fromMicRow(const Json::Value &row)
{
    OvMic m;
    m.readBaseFields(row);
    m.work = rows::text(row, "work");
    if (m.name.isEmpty())
        m.name = "M35_" + QByteArray::number(m.id);
    m.exten = rows::text(row, "exten");
    m.ver = rows::text(row, "ver");
    m.broVol = rows::integer(row, "broVol");
    m.capVol = rows::integer(row, "capVol");
    m.bellVol = rows::integer(row, "bellVol");
    m.callVol = rows::integer(row, "callVol");
    if (rows::has(row, "pttMode"))
        m.pttMode = rows::integer(row, "pttMode");
    return m;
}

OvMic OvMic::fromPlayingRow(const Json::Value &row)
{
    OvMic m;
    m.id = rows::integer(row, "terminalId");
    m.type = rows::text(row, "type");
    m.exten = rows::text(row, "exten");
    m.name = rows::text(row, "name");
    if (m.name.isEmpty()) {
        const QByteArray prefix = (m.exten.isEmpty() || m.exten == "--") ? m.type : m.exten;
        m.name = prefix + '_' + QByteArray::number(m.id);
    }
    return m;
}

QByteArray OvMic::toString() const
{
    return "OvMic(id=" + QByteArray::number(id) + " name=\"" + name + "\" type=\"" + type + "\" ip=\"" + ip
           + "\" status=" + QByteArray::number(status) + " exten=\"" + exten + "\" ver=\"" + ver
           + "\" capVol=" + QByteArray::number(capVol) + " bellVol=" + QByteArray::number(bellVol)
           + " callVol=" + QByteArray::number(callVol) + " broVol=" + QByteArray::number(broVol)
           + " pttMode=" + QByteArray::number(pttMode) + " ppt=" + QByteArray::number(ppt)
           + " aec=" + QByteArray::number(aec) + " led=" + QByteArray::number(ledColor) + "/"
           + QByteArray::number(switchMode) + "/" + QByteArray::number(displayTime) + " \"" + ledTxt + "\")";
}
