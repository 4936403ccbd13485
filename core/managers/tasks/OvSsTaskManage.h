#pragma once

#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/tasks/SoundSourceTask.h"
#include "protocol/OvBaseMgr.h"

#include <vector>

// The data manager of the sound-source tasks (dispatch slot 15). Events to its
// list manager: the list (247, also when empty), one changed task per row of a
// "SqlConfig_soundsource" notification (250), a delete answered ok (251), a
// delete refused (DeleteRefusedEvent, the server's text in the refusal) and a
// DELETE message of type "SoundSource" (DeletedEvent, a record with the id).
class OvSsTaskManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    enum Action : int { Add = 0, Mod = 1, Del = 2, Start = 3, Stop = 4 };
    enum Code : int { ListCode = 247, EditCode = 249, DeleteCode = 251 };
    enum Event : int { ListEvent = 247, ChangedEvent = 250, DeleteOkEvent = 251,
                       DeleteRefusedEvent = 1251, DeletedEvent = 1252 };

    static constexpr const char *kListName = "SoundSourceList";
    static constexpr const char *kListSql = "select * from soundsource";
    static constexpr const char *kChangeKey = "SqlConfig_soundsource";
    static constexpr const char *kDeleteType = "SoundSource";

    OvSsTaskManage();

    void setEventCallback(TermEventCallback<SoundSourceTask> callback) { m_events.set(std::move(callback)); }

    static int codeOf(int action) { return EditCode + action; }
    static const char *actionName(int action);

    QByteArray buildList(int cseq);
    // Add, Mod and Del carry the whole task ("SoundSource"); Start and Stop
    // only "Action" and "Id" ("SoundSourceSwitch"). Empty for another action.
    QByteArray buildEdit(int cseq, const SoundSourceTask &task, int action);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onError(int requestCode, const QByteArray &body) override;
    void onDeleted(int id) override;

    static bool parseRows(const QByteArray &body, std::vector<SoundSourceTask> &out);

private:
    TermEventSink<SoundSourceTask> m_events;
};
