#include "managers/tasks/OvSsTaskManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "util/BodyParsers.h"

OvSsTaskManage::OvSsTaskManage()
    : OvBaseMgr({ListCode, codeOf(Add), codeOf(Mod), codeOf(Del), codeOf(Start), codeOf(Stop)},
                QByteArray(kDeleteType))
{
}

const char *OvSsTaskManage::actionName(int action)
{
    switch (action) {
    case Add:
        return "Add";
    case Mod:
        return "Mod";
    case Del:
        return "Del";
    case Start:
        return "Start";
    case Stop:
        return "Stop";
    default:
        return nullptr;
    }
}

bool OvSsTaskManage::parseRows(const QByteArray &body, std::vector<SoundSourceTask> &out)
{
    std::vector<SoundSourceTask> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(SoundSourceTask::fromRow(row)); }))
        return false;
    out = std::move(list);
    return true;
}

QByteArray OvSsTaskManage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

QByteArray OvSsTaskManage::buildEdit(int cseq, const SoundSourceTask &t, int action)
{
    const char *name = actionName(action);
    if (!name)
        return QByteArray();
    Json::Value o(Json::objectValue);
    o["Action"] = name;
    // A new task has no id yet: the server gives it.
    o["Id"] = rows::jsonText(QByteArray::number(action == Add ? 0 : t.id));
    if (action == Start || action == Stop)
        return buildTypedPost(cseq, QByteArrayLiteral("SoundSourceSwitch"), body::writeJson(o));
    const auto number = [](qint64 v) { return rows::jsonText(QByteArray::number(v)); };
    o["Name"] = rows::jsonText(t.name);
    o["SourceCategory"] = number(t.category);
    o["SourceType"] = number(t.sourceType);
    o["TimerPlanId"] = number(t.timerPlanId);
    o["SourceContent"] = rows::jsonText(t.sourceContent);
    o["PlayVol"] = number(t.playVolume);
    o["PlayTimes"] = number(t.playTimes);
    o["Duration"] = number(t.duration);
    o["OpenAmp"] = number(t.openAmp);
    o["Week"] = number(t.week);
    o["StartDate"] = number(t.startDate);
    o["EndDate"] = number(t.endDate);
    o["ExecuteTime"] = rows::jsonText(t.executeTime);
    o["TerminalId"] = rows::jsonText(t.terminalText);
    return buildTypedPost(cseq, QByteArrayLiteral("SoundSource"), body::writeJson(o));
}

void OvSsTaskManage::onOk(int requestCode, const QByteArray &body)
{
    TermEvent<SoundSourceTask> event;
    if (requestCode == ListCode) {
        // An empty list is a list too: the cache must learn that every task is gone.
        event.code = ListEvent;
        if (parseRows(body, event.records))
            m_events.raise(event);
    } else if (requestCode == DeleteCode) {
        event.code = DeleteOkEvent;
        m_events.raise(event);
    }
}

void OvSsTaskManage::onError(int requestCode, const QByteArray &body)
{
    if (requestCode != DeleteCode)
        return;
    TermEvent<SoundSourceTask> event;
    event.code = DeleteRefusedEvent;
    event.refusal.valid = true;
    event.refusal.text = body;
    m_events.raise(event);
}

bool OvSsTaskManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    std::vector<SoundSourceTask> changed;
    if (!parseRows(body, changed))
        return true;
    const TermEventCallback<SoundSourceTask> callback = m_events.current();
    if (!callback)
        return true;
    TermEvent<SoundSourceTask> event;
    event.code = ChangedEvent;
    for (SoundSourceTask &t : changed) {
        event.records.clear();
        event.records.push_back(std::move(t));
        callback(event);
    }
    return true;
}

void OvSsTaskManage::onDeleted(int id)
{
    TermEvent<SoundSourceTask> event;
    event.code = DeletedEvent;
    SoundSourceTask gone;
    gone.id = id;
    event.records.push_back(std::move(gone));
    m_events.raise(event);
}
