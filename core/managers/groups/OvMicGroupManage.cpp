#include "managers/groups/OvMicGroupManage.h"

#include "managers/common/MemberIds.h"
#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "util/BodyParsers.h"

namespace {

const char *actionText(EditAction action)
{
    switch (action) {
    case EditAction::Add:
        return "Add";
    case EditAction::Mod:
        return "Mod";
    case EditAction::Del:
        return "Del";
    }
    return "";
}

} // namespace

OvMicGroupManage::OvMicGroupManage() : OvBaseMgr({ListCode, EditCode}, kFamilyKey) {}

bool OvMicGroupManage::parseRows(const QByteArray &body, std::vector<MicGroup> &out)
{
    std::vector<MicGroup> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(MicGroup::fromRow(row)); }))
        return false;
    out = std::move(list);
    return true;
}

QByteArray OvMicGroupManage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

QByteArray OvMicGroupManage::buildEdit(int cseq, const MicGroup &group, EditAction action)
{
    Json::Value object(Json::objectValue);
    object["Action"] = actionText(action);
    object["CallWaitRule"] = rows::jsonText(QByteArray::number(group.ringRule));
    object["Id"] = rows::jsonText(QByteArray::number(group.id));
    object["Mic35Id"] = rows::jsonText(members::joinIds(group.members));
    object["Name"] = rows::jsonText(group.name);
    object["RingTime"] = rows::jsonText(QByteArray::number(group.ringTime));
    return buildTypedPost(cseq, QByteArrayLiteral("CallService"), body::writeJson(object));
}

void OvMicGroupManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode != ListCode)
        return;
    // An empty list is the server's word that there are no groups.
    TermEvent<MicGroup> event;
    event.code = ListCode;
    if (parseRows(body, event.records))
        m_events.raise(event);
}

bool OvMicGroupManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    std::vector<MicGroup> changed;
    if (!parseRows(body, changed))
        return true;
    TermEvent<MicGroup> event;
    event.code = EditCode;
    for (MicGroup &g : changed) {
        event.records.clear();
        event.records.push_back(std::move(g));
        m_events.raise(event);
    }
    return true;
}

void OvMicGroupManage::onDeleted(int id)
{
    TermEvent<MicGroup> event;
    event.code = DeletedEvent;
    MicGroup gone;
    gone.id = id;
    event.records.push_back(std::move(gone));
    m_events.raise(event);
}
