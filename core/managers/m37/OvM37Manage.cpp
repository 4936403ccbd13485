#include "managers/m37/OvM37Manage.h"

#include "managers/common/RowSplitter.h"

#include <algorithm>

OvM37Manage::OvM37Manage()
    : OvBaseMgr({278, 279, 280, 281, 282, 283, 284, 285, 286, 287, 288, 289, 290, 291, 292}, QByteArrayLiteral("M37"))
{
}

bool OvM37Manage::parseRows(const QByteArray &body, std::vector<OvM37> &out)
{
    std::vector<OvM37> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(OvM37::fromRow(row)); }))
        return false;
    std::stable_sort(list.begin(), list.end(), [](const OvM37 &a, const OvM37 &b) { return a.id > b.id; });
    out = std::move(list);
    return true;
}

QByteArray OvM37Manage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

void OvM37Manage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode != ListCode)
        return;
    TermEvent<OvM37> event;
    event.code = ListCode;
    if (parseRows(body, event.records))
        m_events.raise(event);
}

bool OvM37Manage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    std::vector<OvM37> changed;
    if (!parseRows(body, changed))
        return true;
    m_events.raiseEach(ChangeEvent, changed);
    return true;
}

void OvM37Manage::onDeleted(int id)
{
    TermEvent<OvM37> event = removedEvent<OvM37>(RemovedEvent, id);
    m_events.raise(event);
}
