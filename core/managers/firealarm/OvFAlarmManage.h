#pragma once

#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/firealarm/FAlarmTrigger.h"
#include "managers/firealarm/OvFAlarm.h"
#include "protocol/OvBaseMgr.h"

#include <vector>

// The data manager of the fire-alarm interfaces (dispatch slot 17, delete type
// "FAlarm"). Events: the list (289) and one changed interface per row (290),
// both sorted by descending id, and the interface a DELETE removed (RemovedEvent). It holds the codes 289 to 303 and acts only on
// the answer to 289; SetFRTrigger is registered under 292 so that no manager
// acts on its answer.
class OvFAlarmManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    enum Code : int { ListCode = 289, ChangeEvent = 290, SetNameCode = 291, SetTriggerCode = 292 };

    static constexpr const char *kListName = "FAlarmList";
    static constexpr const char *kListSql = "select terminalId,type,status,name,ip,ver, shortCircuit, broadcast, "
                                            "broadcastTrigger, stopBroadcast, triggerType from firealarm";
    static constexpr const char *kChangeKey = "SqlConfig_firealarm";

    OvFAlarmManage();

    void setEventCallback(TermEventCallback<OvFAlarm> callback) { m_events.set(std::move(callback)); }

    QByteArray buildList(int cseq);
    // SetFRName: "Id", "Name", "TriggerType".
    QByteArray buildSetName(int cseq, const OvFAlarm &alarm);
    // SetFRTrigger: "Channel", "ChannelName", "Id", "SourceId", "StopPlay", "TriggerSwitch".
    QByteArray buildSetTrigger(int cseq, const FAlarmTrigger &trigger);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int id) override;

    // Rows sorted by descending id (stable); false (out untouched) when not a row list.
    static bool parseRows(const QByteArray &body, std::vector<OvFAlarm> &out);

private:
    TermEventSink<OvFAlarm> m_events;
};
