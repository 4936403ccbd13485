#include "managers/firealarm/OvFAlarmManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "util/BodyParsers.h"

#include <algorithm>

OvFAlarmManage::OvFAlarmManage()
    : OvBaseMgr({289, 290, 291, 292, 293, 294, 295, 296, 297, 298, 299, 300, 301, 302, 303},
                QByteArrayLiteral("FAlarm"))
{
}

bool OvFAlarmManage::parseRows(const QByteArray &body, std::vector<OvFAlarm> &out)
{
    std::vector<OvFAlarm> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(OvFAlarm::fromRow(row)); }))
        return false;
    std::stable_sort(list.begin(), list.end(), [](const OvFAlarm &a, const OvFAlarm &b) { return a.id > b.id; });
    out = std::move(list);
    return true;
}

QByteArray OvFAlarmManage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

QByteArray OvFAlarmManage::buildSetName(int cseq, const OvFAlarm &alarm)
{
    Json::Value object(Json::objectValue);
    object["Id"] = rows::jsonText(QByteArray::number(alarm.id));
    object["Name"] = rows::jsonText(alarm.name);
    object["TriggerType"] = rows::jsonText(QByteArray::number(alarm.triggerType));
    return buildTypedPost(cseq, QByteArrayLiteral("SetFRName"), body::writeJson(object));
}

QByteArray OvFAlarmManage::buildSetTrigger(int cseq, const FAlarmTrigger &trigger)
{
    Json::Value object(Json::objectValue);
    object["Channel"] = rows::jsonText(QByteArray::number(trigger.channel));
    object["ChannelName"] = rows::jsonText(trigger.channelName);
    object["Id"] = rows::jsonText(QByteArray::number(trigger.id));
    object["SourceId"] = rows::jsonText(QByteArray::number(trigger.sourceId));
    object["StopPlay"] = rows::jsonText(QByteArray::number(trigger.stopPlay));
    object["TriggerSwitch"] = rows::jsonText(QByteArray::number(trigger.triggerSwitch));
    return buildTypedPost(cseq, QByteArrayLiteral("SetFRTrigger"), body::writeJson(object));
}

void OvFAlarmManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode != ListCode)
        return;
    TermEvent<OvFAlarm> event;
    event.code = ListCode;
    if (parseRows(body, event.records))
        m_events.raise(event);
}

bool OvFAlarmManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    // Claimed even when it does not parse: no later manager is meant to see it.
    std::vector<OvFAlarm> changed;
    if (!parseRows(body, changed))
        return true;
    m_events.raiseEach(ChangeEvent, changed);
    return true;
}

void OvFAlarmManage::onDeleted(int id)
{
    TermEvent<OvFAlarm> event = removedEvent<OvFAlarm>(RemovedEvent, id);
    m_events.raise(event);
}
