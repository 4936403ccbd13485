#include "managers/callstations/OvM48Manage.h"

#include "managers/callstations/CallStationRows.h"
#include "managers/common/RowFields.h"
#include "util/BodyParsers.h"

namespace {

const OvCallStationManage::Family kM48 = {
    QByteArrayLiteral("M48"),
    QByteArrayLiteral("SqlConfig_mic48"),
    QByteArrayLiteral("M48List"),
    QByteArrayLiteral("select * from Mic48"),
    QByteArrayLiteral("M48ButtonCall"),
    QByteArrayLiteral("select * from m48buttoncall where terminalId = %1"),
    OvM48Manage::ListCode,
    OvM48Manage::SettingsCode,
    OvM48Manage::DeletedEvent,
    OvM48Manage::ButtonCallsCode,
    &callstations::m48FromRow,
};

} // namespace

OvM48Manage::OvM48Manage() : OvCallStationManage(kM48, {238, 239, 240, 241, 242, 243, 244, 245, 246, 247}) {}

QByteArray OvM48Manage::buildNameAndVolume(int cseq, const OvMic &station)
{
    Json::Value object(Json::objectValue);
    object["BroVol"] = rows::jsonText(QByteArray::number(station.broVol));
    object["Id"] = rows::jsonText(QByteArray::number(station.id));
    object["Name"] = rows::jsonText(station.name);
    return buildTypedPost(cseq, QByteArrayLiteral("IpAmpSet"), body::writeJson(object));
}

QByteArray OvM48Manage::buildLed(int cseq, const OvMic &station)
{
    Json::Value object(Json::objectValue);
    object["DisplayTime"] = rows::jsonText(QByteArray::number(station.displayTime));
    object["Id"] = rows::jsonText(QByteArray::number(station.id));
    object["LedColor"] = rows::jsonText(QByteArray::number(station.ledColor));
    object["LedTxt"] = rows::jsonText(station.ledTxt);
    object["SwitchMode"] = rows::jsonText(QByteArray::number(station.switchMode));
    return buildTypedPost(cseq, QByteArrayLiteral("ModM48Led"), body::writeJson(object));
}

QByteArray OvM48Manage::buildCommitButtonCall(int cseq, int stationId, const OvMicBtnCall &call)
{
    Json::Value object(Json::objectValue);
    object["Action"] = "Mod";
    object["CallServiceGroup"] = rows::jsonText(QByteArray::number(call.groupId));
    object["Id"] = rows::jsonText(QByteArray::number(stationId));
    object["Mic35"] = rows::jsonText(QByteArray::number(call.mic35Id));
    object["StartCall"] = rows::jsonText(call.startCall);
    object["StopCall"] = rows::jsonText(call.stopCall);
    return buildTypedPost(cseq, QByteArrayLiteral("M48ButtonCall"), body::writeJson(object));
}
