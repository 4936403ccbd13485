#include "managers/regions/OvRegionManage.h"

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

OvRegionManage::OvRegionManage() : OvBaseMgr({ListCode, EditCode}, kFamilyKey) {}

bool OvRegionManage::parseRows(const QByteArray &body, std::vector<OvRegion> &out)
{
    std::vector<OvRegion> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(OvRegion::fromRow(row)); }))
        return false;
    out = std::move(list);
    return true;
}

QByteArray OvRegionManage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

QByteArray OvRegionManage::buildEdit(int cseq, const OvRegion &region, EditAction action)
{
    Json::Value object(Json::objectValue);
    object["Action"] = actionText(action);
    object["Id"] = rows::jsonText(QByteArray::number(region.id));
    object["Name"] = rows::jsonText(region.name);
    object["TerminalId"] = rows::jsonText(members::joinIds(region.memberIds()));
    return buildTypedPost(cseq, QByteArrayLiteral("BroadRegion"), body::writeJson(object));
}

void OvRegionManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode != ListCode)
        return;
    // An empty list is the server's word that there are no regions: it
    // empties the cache like any other list.
    TermEvent<OvRegion> event;
    event.code = ListCode;
    if (parseRows(body, event.records))
        m_events.raise(event);
}

bool OvRegionManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    std::vector<OvRegion> changed;
    if (!parseRows(body, changed))
        return true;
    TermEvent<OvRegion> event;
    event.code = EditCode;
    for (OvRegion &r : changed) {
        event.records.clear();
        event.records.push_back(std::move(r));
        m_events.raise(event);
    }
    return true;
}

void OvRegionManage::onDeleted(int id)
{
    TermEvent<OvRegion> event;
    event.code = DeletedEvent;
    OvRegion gone;
    gone.id = id;
    event.records.push_back(std::move(gone));
    m_events.raise(event);
}
