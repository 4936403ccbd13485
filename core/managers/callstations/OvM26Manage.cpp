#include "managers/callstations/OvM26Manage.h"

#include "managers/callstations/CallStationRows.h"
#include "managers/common/RowFields.h"
#include "util/BodyParsers.h"

namespace {

const OvCallStationManage::Family kM26 = {
    QByteArrayLiteral("M26"),
    QByteArrayLiteral("SqlConfig_mic26"),
    QByteArrayLiteral("M26List"),
    QByteArrayLiteral("select * from Mic26"),
    QByteArrayLiteral("M26ButtonCall"),
    QByteArrayLiteral("select * from m26buttoncall where terminalId = %1"),
    OvM26Manage::ListCode,
    OvM26Manage::SettingsCode,
    OvM26Manage::DeletedEvent,
    OvM26Manage::ButtonCallsCode,
    &callstations::m26FromRow,
};

} // namespace

OvM26Manage::OvM26Manage() : OvCallStationManage(kM26, {228, 229, 230, 231, 232, 233, 234, 235, 236, 237}) {}

QByteArray OvM26Manage::buildCommitButtonCalls(int cseq, int stationId, const std::vector<OvMicBtnCall> &calls)
{
    const bool withAlarmCall = calls.size() > 3;
    const size_t buttonCount = withAlarmCall ? calls.size() - 1 : calls.size();
    Json::Value buttons(Json::arrayValue);
    for (size_t i = 0; i < buttonCount; ++i) {
        Json::Value b(Json::objectValue);
        b["CallServiceGroup"] = rows::jsonText(QByteArray::number(calls[i].groupId));
        b["Mic35"] = rows::jsonText(QByteArray::number(calls[i].mic35Id));
        b["StartCall"] = rows::jsonText(calls[i].startCall);
        b["StopCall"] = rows::jsonText(calls[i].stopCall);
        buttons.append(b);
    }
    Json::Value object(Json::objectValue);
    object["Action"] = "Mod";
    if (withAlarmCall)
        object["AlarmCall"] = rows::jsonText(calls.back().startCall + ' ' + calls.back().stopCall);
    object["ButtonCalls"] = buttons;
    object["Id"] = rows::jsonText(QByteArray::number(stationId));
    return buildTypedPost(cseq, QByteArrayLiteral("M26ButtonCall"), body::writeJson(object));
}
