#pragma once

#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/mic/MicBookEntry.h"
#include "managers/mic/OvMic.h"
#include "protocol/OvBaseMgr.h"

#include <vector>

// The data manager of the M35 paging microphones (dispatch slot 1): the
// microphone list, the details query, the settings and the five books with
// their commits. Events go to two callbacks: microphones (list 262, one
// changed or detailed record 263, playing terminals 269) and book rows (266,
// 270, 272, 274, 276), each raised with the request code as event code.
class OvMicManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    enum Code : int {
        ListCode = 262,
        DetailsCode = 263,
        SettingsCode = 264,
        CallBookCode = MicBookEntry::CallBook,
        CommitCallBookCode = 268,
        PlayingTerminalsCode = 269,
        TransferBookCode = MicBookEntry::TransferBook,
        CommitTransferBookCode = 271,
        MonitorListCode = MicBookEntry::MonitorList,
        CommitMonitorListCode = 273,
        PlanListCode = MicBookEntry::PlanList,
        CommitPlanListCode = 275,
        RegionsCode = MicBookEntry::Regions,
        CommitRegionsCode = 277,
    };

    static constexpr const char *kListName = "MicList";
    static constexpr const char *kListSql =
        "select terminalId,type,status,work,name,ip,capvol,callVol,bellVol,broVol,pttMode from mic35";
    static constexpr const char *kChangeKey = "SqlConfig_mic35";

    OvMicManage();

    void setMicCallback(TermEventCallback<OvMic> callback) { m_mics.set(std::move(callback)); }
    void setBookCallback(TermEventCallback<MicBookEntry> callback) { m_books.set(std::move(callback)); }

    QByteArray buildList(int cseq);
    QByteArray buildDetails(int cseq, int id);
    QByteArray buildSettings(int cseq, const OvMic &mic);
    // A book of microphone `id` (266, 270, 272, 274, 276) or the playing
    // terminals (269, no id); empty for another code.
    QByteArray buildBookFetch(int cseq, int code, int id);
    // A commit (268, 271, 273, 275, 277) of a book's list text; empty for another code.
    QByteArray buildBookCommit(int cseq, int code, int id, const QByteArray &listText);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &text) override;
    // A DELETE message of type "MIC": the microphone leaves the list (RemovedEvent).
    void onDeleted(int id) override;

    // Microphone rows, sorted by descending id; false (out untouched) when the
    // body is not a row list.
    static bool parseMicRows(const QByteArray &body, std::vector<OvMic> &out);
    // The details answer: the attributes of the first "Mic" element under the
    // top-level "MicList", read as a microphone row. False when there is none
    // or it names no terminal.
    static bool parseDetails(const QByteArray &body, OvMic &out);

private:
    void raiseChanges(std::vector<OvMic> &changed);

    TermEventSink<OvMic> m_mics;
    TermEventSink<MicBookEntry> m_books;
};
