#pragma once

#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/terminals/OvTerminal.h"
#include "protocol/OvBaseMgr.h"

// The data manager of the IP amplifiers and player terminals (dispatch slot
// 0). It also builds the RemoveDevice request of every terminal family and
// reports its refusals, since all families share that request code.
class OvTerminalManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    static constexpr int kListCode = 3;
    static constexpr int kPowerCode = 5;
    static constexpr int kSetCode = 6;
    static constexpr int kRemoveCode = 7;
    static constexpr int kSettingsCode = 10;
    static constexpr int kSpeakerCheckCode = 11;
    static constexpr int kPlayTermConfigCode = 11;

    static constexpr const char *kListName = "TerminalList";
    static constexpr const char *kListSql = "select * from ipamp";
    static constexpr const char *kChangeKey = "SqlConfig_ipamp";

    OvTerminalManage();

    void setEventCallback(TermEventCallback<OvTerminal> callback) { m_events.set(std::move(callback)); }

    QByteArray buildList(int cseq);
    QByteArray buildSetNameAndVolume(int cseq, int id, const QByteArray &name, int broVol);
    QByteArray buildPower(int cseq, int id, bool on);
    QByteArray buildSpeakerCheck(int cseq, int id);
    QByteArray buildPlayTermConfig(int cseq, int id, int warnTemp, int fanTemp, int maxVol);
    QByteArray buildTerminalSettings(int cseq, const OvTerminal &terminal);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onError(int requestCode, const QByteArray &body) override;
    // A DELETE message of type "01": the terminal leaves the list (RemovedEvent).
    void onDeleted(int id) override;

    // Reads a list body; false (and `out` untouched) when it is not a row list.
    static bool parseRows(const QByteArray &body, std::vector<OvTerminal> &out);

private:
    TermEventSink<OvTerminal> m_events;
};
