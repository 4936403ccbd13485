#include "managers/callstations/OvCallStationManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "util/BodyParsers.h"

OvCallStationManage::OvCallStationManage(const Family &family, std::vector<int> codes)
    : OvBaseMgr(std::move(codes), family.familyKey), m_family(family)
{
}

bool OvCallStationManage::parseRows(const QByteArray &body, std::vector<OvMic> &out) const
{
    std::vector<OvMic> list;
    if (!rows::forEachRow(body, [&](const Json::Value &row) { list.push_back(m_family.readRow(row)); }))
        return false;
    out = std::move(list);
    return true;
}

QByteArray OvCallStationManage::buildList(int cseq)
{
    return buildListRequest(cseq, m_family.listName, m_family.listSql);
}

QByteArray OvCallStationManage::buildButtonCalls(int cseq, int stationId)
{
    return buildListRequest(cseq, m_family.buttonCallName,
                            QByteArray(m_family.buttonCallSql).replace("%1", QByteArray::number(stationId)));
}

QByteArray OvCallStationManage::buildSettings(int cseq, const OvMic &station)
{
    Json::Value object(Json::objectValue);
    object["BellVol"] = rows::jsonText(QByteArray::number(station.bellVol));
    object["BroVol"] = rows::jsonText(QByteArray::number(station.broVol));
    object["CallVol"] = rows::jsonText(QByteArray::number(station.callVol));
    object["CapVol"] = rows::jsonText(QByteArray::number(station.capVol));
    object["Id"] = rows::jsonText(QByteArray::number(station.id));
    object["Name"] = rows::jsonText(station.name);
    return buildTypedPost(cseq, QByteArrayLiteral("ModTalkTerminal"), body::writeJson(object));
}

void OvCallStationManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode == m_family.listCode) {
        TermEvent<OvMic> event;
        event.code = m_family.listCode;
        // An empty answer leaves the cache as it was.
        if (parseRows(body, event.records) && !event.records.empty())
            m_stations.raise(event);
    } else if (requestCode == m_family.buttonCallsCode) {
        TermEvent<OvMicBtnCall> event;
        event.code = m_family.buttonCallsCode;
        std::vector<OvMicBtnCall> calls;
        if (!rows::forEachRow(body, [&calls](const Json::Value &row) { calls.push_back(OvMicBtnCall::fromRow(row)); }))
            return;
        event.records = std::move(calls);
        m_buttonCalls.raise(event);
    }
}

bool OvCallStationManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != m_family.changeKey)
        return false;
    std::vector<OvMic> changed;
    if (!parseRows(body, changed))
        return true;
    m_stations.raiseEach(m_family.changeCode, changed);
    return true;
}

void OvCallStationManage::onDeleted(int id)
{
    TermEvent<OvMic> event = removedEvent<OvMic>(m_family.deleteCode, id);
    m_stations.raise(event);
}
