#pragma once

#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/tts/OvTts.h"
#include "protocol/OvBaseMgr.h"

#include <vector>

// The data manager of the text-to-speech boxes (dispatch slot 10). It keeps
// no code set and tests codes itself; its family key is "Tts". Events: the
// list (254, only when it has rows), one changed box per row (257), a deleted
// box (258, a record carrying only the id) for a DELETE message of type "Tts".
class OvTtsManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    enum Code : int { ListCode = 254, RenameCode = 257, DeletedEvent = 258 };

    static constexpr const char *kListName = "TtsList";
    static constexpr const char *kListSql = "select * from tts83";
    static constexpr const char *kChangeKey = "SqlConfig_tts83";
    static constexpr const char *kFamilyKey = "Tts";

    OvTtsManage();

    void setEventCallback(TermEventCallback<OvTts> callback) { m_events.set(std::move(callback)); }

    QByteArray buildList(int cseq);
    // TTs83Name: "Id", "Name".
    QByteArray buildRename(int cseq, int id, const QByteArray &name);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int id) override;

    static bool parseRows(const QByteArray &body, std::vector<OvTts> &out);

private:
    TermEventSink<OvTts> m_events;
};
