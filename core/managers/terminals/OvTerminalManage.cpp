#include "managers/terminals/OvTerminalManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "util/BodyParsers.h"

OvTerminalManage::OvTerminalManage() : OvBaseMgr({3, 4, 5, 6, 7, 8, 9}, QByteArrayLiteral("01")) {}

bool OvTerminalManage::parseRows(const QByteArray &body, std::vector<OvTerminal> &out)
{
    std::vector<OvTerminal> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(OvTerminal::fromRow(row)); }))
        return false;
    out = std::move(list);
    return true;
}

QByteArray OvTerminalManage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

QByteArray OvTerminalManage::buildSetNameAndVolume(int cseq, int id, const QByteArray &name, int broVol)
{
    Json::Value object(Json::objectValue);
    object["BroVol"] = rows::jsonText(QByteArray::number(broVol));
    object["Id"] = rows::jsonText(QByteArray::number(id));
    object["Name"] = rows::jsonText(name);
    return buildTypedPost(cseq, QByteArrayLiteral("IpAmpSet"), body::writeJson(object));
}

QByteArray OvTerminalManage::buildPower(int cseq, int id, bool on)
{
    return buildIdValue(cseq, id, QByteArrayLiteral("IpAmpPower"), "Power", on ? 1 : 0);
}

QByteArray OvTerminalManage::buildSpeakerCheck(int cseq, int id)
{
    return buildIdValue(cseq, id, QByteArrayLiteral("IpAmpSpkCheck"), "SpkCheck", 1);
}

QByteArray OvTerminalManage::buildPlayTermConfig(int cseq, int id, int warnTemp, int fanTemp, int maxVol)
{
    return builder().buildPlayTermConfig(cseq, id, warnTemp, fanTemp, maxVol);
}

QByteArray OvTerminalManage::buildTerminalSettings(int cseq, const OvTerminal &t)
{
    // The dialogs' per-terminal settings travel in the body, so the server
    // keeps them across lists and consoles.
    Json::Value object(Json::objectValue);
    object["DefaultPower"] = rows::jsonText(QByteArray::number(t.defaultPower ? 1 : 0));
    object["DefaultVolumn"] = rows::jsonText(QByteArray::number(t.defaultVolumn));
    object["Id"] = rows::jsonText(QByteArray::number(t.id));
    object["IsDefault"] = rows::jsonText(QByteArray::number(t.isDefault ? 1 : 0));
    object["TransportTcp"] = rows::jsonText(QByteArray::number(t.transport_tcp ? 1 : 0));
    return buildTypedPost(cseq, QByteArrayLiteral("Terminal"), body::writeJson(object));
}

void OvTerminalManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode != kListCode)
        return;
    TermEvent<OvTerminal> event;
    event.code = ListEvent;
    if (!parseRows(body, event.records))
        return;
    m_events.raise(event);
}

bool OvTerminalManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    std::vector<OvTerminal> changed;
    if (!parseRows(body, changed))
        return true;
    m_events.raiseEach(ChangeEvent, changed);
    return true;
}

void OvTerminalManage::onDeleted(int id)
{
    TermEvent<OvTerminal> event = removedEvent<OvTerminal>(RemovedEvent, id);
    m_events.raise(event);
}

void OvTerminalManage::onError(int requestCode, const QByteArray &body)
{
    if (requestCode != kRemoveCode)
        return;
    TermEvent<OvTerminal> event;
    event.code = RemoveRefusedEvent;
    event.refusal.valid = true;
    event.refusal.text = body;
    m_events.raise(event);
}
