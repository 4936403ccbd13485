#include "managers/mic/OvMicManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "protocol/OvMsgCheck.h"
#include "util/BodyParsers.h"

#include <algorithm>

namespace {

struct BookRequest
{
    int code;
    const char *listName;
    const char *sql;  // "%1" is the microphone's id
};

const BookRequest kBookRequests[] = {
    {OvMicManage::CallBookCode, "MicCallList", "select * from m35call where terminalId = %1"},
    {OvMicManage::PlayingTerminalsCode, "AllPlayTerminalList",
     "select terminalId,name,type,exten from mic26 union select terminalId,name,type,exten from mic48 union "
     "select terminalId,name,type,exten from ipamp order by terminalId"},
    {OvMicManage::TransferBookCode, "FixTransferList", "select * from m35transfercall where terminalId = %1"},
    {OvMicManage::MonitorListCode, "FixMonitorList", "select * from m35monitor where terminalId = %1"},
    {OvMicManage::PlanListCode, "FixSsTaskList", "select * from m35soundsource where terminalId = %1"},
    {OvMicManage::RegionsCode, "FixRegionList", "select * from m35broadcast where terminalId = %1"},
};

struct BookCommit
{
    int code;
    const char *packetType;
    const char *listMember;
};

const BookCommit kBookCommits[] = {
    {OvMicManage::CommitCallBookCode, "M35CallBook", "Contacts"},
    {OvMicManage::CommitTransferBookCode, "M35CallTransfer", "CallTransfer"},
    {OvMicManage::CommitMonitorListCode, "M35MonitorBook", "Monitor"},
    {OvMicManage::CommitPlanListCode, "M35SoundSource", "SoundSource"},
    {OvMicManage::CommitRegionsCode, "M35BroadBook", "RegionId"},
};

bool isBookCode(int code)
{
    return code == OvMicManage::CallBookCode || code == OvMicManage::TransferBookCode
           || code == OvMicManage::MonitorListCode || code == OvMicManage::PlanListCode
           || code == OvMicManage::RegionsCode;
}

} // namespace

OvMicManage::OvMicManage()
    : OvBaseMgr({262, 263, 264, 265, 266, 267, 268, 269, 270, 271, 272, 273, 274, 275, 276}, QByteArrayLiteral("MIC"))
{
}

bool OvMicManage::parseMicRows(const QByteArray &body, std::vector<OvMic> &out)
{
    std::vector<OvMic> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(OvMic::fromMicRow(row)); }))
        return false;
    std::stable_sort(list.begin(), list.end(), [](const OvMic &a, const OvMic &b) { return a.id > b.id; });
    out = std::move(list);
    return true;
}

bool OvMicManage::parseDetails(const QByteArray &body, OvMic &out)
{
    tinyxml2::XMLDocument doc;
    if (!body::parseXml(body, doc))
        return false;
    const tinyxml2::XMLElement *list = doc.FirstChildElement(OvMsgCheck::listName(OvMsgCheck::MicList));
    const tinyxml2::XMLElement *mic = list ? list->FirstChildElement(OvMsgCheck::listName(OvMsgCheck::Mic)) : nullptr;
    if (!mic || !mic->Attribute("terminalId"))
        return false;
    Json::Value row(Json::objectValue);
    for (const tinyxml2::XMLAttribute *a = mic->FirstAttribute(); a; a = a->Next())
        row[a->Name()] = a->Value();
    out = OvMic::fromMicRow(row);
    out.detailsLoaded = true;
    return true;
}

QByteArray OvMicManage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

QByteArray OvMicManage::buildDetails(int cseq, int id)
{
    return buildDataIdQuery(cseq, QByteArrayLiteral("Mic"), id);
}

QByteArray OvMicManage::buildSettings(int cseq, const OvMic &mic)
{
    Json::Value object(Json::objectValue);
    object["BellVol"] = rows::jsonText(QByteArray::number(mic.bellVol));
    object["BroVol"] = rows::jsonText(QByteArray::number(mic.broVol));
    object["CallVol"] = rows::jsonText(QByteArray::number(mic.callVol));
    object["CapVol"] = rows::jsonText(QByteArray::number(mic.capVol));
    object["Id"] = rows::jsonText(QByteArray::number(mic.id));
    object["Name"] = rows::jsonText(mic.name);
    // Firmware that does not know the push-to-talk choice reports none; it
    // must not be sent one.
    if (mic.pttMode != -1)
        object["PttMode"] = rows::jsonText(QByteArray::number(mic.pttMode));
    return buildTypedPost(cseq, QByteArrayLiteral("ModTalkTerminal"), body::writeJson(object));
}

QByteArray OvMicManage::buildBookFetch(int cseq, int code, int id)
{
    for (const BookRequest &r : kBookRequests) {
        if (r.code == code)
            return buildListRequest(cseq, r.listName, QByteArray(r.sql).replace("%1", QByteArray::number(id)));
    }
    return QByteArray();
}

QByteArray OvMicManage::buildBookCommit(int cseq, int code, int id, const QByteArray &listText)
{
    for (const BookCommit &c : kBookCommits) {
        if (c.code != code)
            continue;
        Json::Value object(Json::objectValue);
        object["Action"] = "Mod";
        object["Id"] = rows::jsonText(QByteArray::number(id));
        object[c.listMember] = rows::jsonText(listText);
        return buildTypedPost(cseq, c.packetType, body::writeJson(object));
    }
    return QByteArray();
}

void OvMicManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode == ListCode) {
        TermEvent<OvMic> event;
        event.code = ListCode;
        if (parseMicRows(body, event.records))
            m_mics.raise(event);
    } else if (requestCode == DetailsCode) {
        TermEvent<OvMic> event;
        event.code = DetailsCode;
        OvMic mic;
        if (!parseDetails(body, mic))
            return;
        event.records.push_back(std::move(mic));
        m_mics.raise(event);
    } else if (requestCode == PlayingTerminalsCode) {
        TermEvent<OvMic> event;
        event.code = PlayingTerminalsCode;
        std::vector<OvMic> list;
        if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(OvMic::fromPlayingRow(row)); }))
            return;
        event.records = std::move(list);
        m_mics.raise(event);
    } else if (isBookCode(requestCode)) {
        TermEvent<MicBookEntry> event;
        event.code = requestCode;
        std::vector<MicBookEntry> list;
        if (!rows::forEachRow(body, [&](const Json::Value &row) { list.push_back(MicBookEntry::fromRow(requestCode, row)); }))
            return;
        event.records = std::move(list);
        m_books.raise(event);
    }
}

void OvMicManage::raiseChanges(std::vector<OvMic> &changed)
{
    m_mics.raiseEach(DetailsCode, changed);
}

bool OvMicManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    std::vector<OvMic> changed;
    if (parseMicRows(body, changed))
        raiseChanges(changed);
    return true;
}

bool OvMicManage::onBody(const QByteArray &text)
{
    if (OvMsgCheck::classifyBody(text) != OvMsgCheck::MicList)
        return false;
    std::vector<OvMic> changed;
    if (parseMicRows(text, changed))
        raiseChanges(changed);
    return true;
}

void OvMicManage::onDeleted(int id)
{
    TermEvent<OvMic> event = removedEvent<OvMic>(RemovedEvent, id);
    m_mics.raise(event);
}
