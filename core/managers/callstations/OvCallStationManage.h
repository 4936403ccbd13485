#pragma once

#include "managers/callstations/OvMicBtnCall.h"
#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/mic/OvMic.h"
#include "protocol/OvBaseMgr.h"

#include <vector>

// What the M26 and M48 call-station managers share; each family gives its
// table, codes and row reader. Events, raised with these codes: the list
// (only when it has rows), one changed station per record, a deleted station
// (a record carrying only the id), the button calls of one station.
class OvCallStationManage : public OvTermBaseManage, public OvBaseMgr
{
public:
    struct Family
    {
        QByteArray familyKey;       // type of the family's delete messages
        QByteArray changeKey;       // routing key of its change notifications
        QByteArray listName;
        QByteArray listSql;
        QByteArray buttonCallName;
        QByteArray buttonCallSql;   // "%1" is the station's id
        int listCode;
        int changeCode;             // also the settings request
        int deleteCode;
        int buttonCallsCode;
        OvMic (*readRow)(const Json::Value &row);
    };

    explicit OvCallStationManage(const Family &family, std::vector<int> codes);

    void setStationCallback(TermEventCallback<OvMic> callback) { m_stations.set(std::move(callback)); }
    void setButtonCallCallback(TermEventCallback<OvMicBtnCall> callback) { m_buttonCalls.set(std::move(callback)); }

    QByteArray buildList(int cseq);
    QByteArray buildButtonCalls(int cseq, int stationId);
    // ModTalkTerminal: "BellVol", "BroVol", "CallVol", "CapVol", "Id", "Name".
    QByteArray buildSettings(int cseq, const OvMic &station);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    // A delete message of the family (its key compared by OvBaseMgr::onDelete).
    void onDeleted(int id) override;

    // Station rows in the order received; false (out untouched) when the body
    // is not a row list.
    bool parseRows(const QByteArray &body, std::vector<OvMic> &out) const;
    const Family &family() const { return m_family; }

private:
    const Family m_family;
    TermEventSink<OvMic> m_stations;
    TermEventSink<OvMicBtnCall> m_buttonCalls;
};
