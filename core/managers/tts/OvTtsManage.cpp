#include "managers/tts/OvTtsManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "util/BodyParsers.h"

OvTtsManage::OvTtsManage() : OvBaseMgr({}, kFamilyKey) {}

bool OvTtsManage::parseRows(const QByteArray &body, std::vector<OvTts> &out)
{
    std::vector<OvTts> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(OvTts::fromRow(row)); }))
        return false;
    out = std::move(list);
    return true;
}

QByteArray OvTtsManage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

QByteArray OvTtsManage::buildRename(int cseq, int id, const QByteArray &name)
{
    Json::Value object(Json::objectValue);
    object["Id"] = rows::jsonText(QByteArray::number(id));
    object["Name"] = rows::jsonText(name);
    return buildTypedPost(cseq, QByteArrayLiteral("TTs83Name"), body::writeJson(object));
}

void OvTtsManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode != ListCode)
        return;
    TermEvent<OvTts> event;
    event.code = ListCode;
    if (parseRows(body, event.records) && !event.records.empty())
        m_events.raise(event);
}

bool OvTtsManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    std::vector<OvTts> changed;
    if (!parseRows(body, changed))
        return true;
    m_events.raiseEach(RenameCode, changed);
    return true;
}

void OvTtsManage::onDeleted(int id)
{
    TermEvent<OvTts> event = removedEvent<OvTts>(DeletedEvent, id);
    m_events.raise(event);
}
