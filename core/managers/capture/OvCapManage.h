#pragma once

#include "managers/capture/OvCap.h"
#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "protocol/OvBaseMgr.h"

#include <functional>
#include <vector>

// The data manager of the audio capture boxes (dispatch slot 2, delete type
// "CAP"). It reports to the capture holder through three callbacks: the list
// (sorted by descending id), a deleted box (the OvBaseMgr delete callback)
// and one changed box per notification row.
class OvCapManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    enum Code : int { ListCode = 75, SettingsCode = 78 };

    static constexpr const char *kListName = "CapList";
    static constexpr const char *kListSql = "select * from capm59";
    static constexpr const char *kChangeKey = "SqlConfig_capm59";

    using ListCallback = std::function<void(std::vector<OvCap> &list)>;
    using ChangeCallback = std::function<void(const OvCap &record)>;

    OvCapManage();

    // Any of them may be empty. The delete callback is the OvBaseMgr one:
    // set it before a receive thread runs.
    void setCallbacks(ListCallback list, DeleteCallback deleted, ChangeCallback changed);

    QByteArray buildList(int cseq);
    // CapM59Set: "CapSamplerate", "CapVol", "Id", "Name".
    QByteArray buildSettings(int cseq, const OvCap &cap);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &text) override;
    void onDeleted(int) override {}

    // Rows in the order received (a row whose id is not a number is left
    // out and logged); false (out untouched) when the body is not a row list.
    static bool parseRows(const QByteArray &body, std::vector<OvCap> &out);

private:
    void raiseChanges(const QByteArray &body);

    TermEventSink<OvCap> m_list;
    TermEventSink<OvCap> m_changed;
};
