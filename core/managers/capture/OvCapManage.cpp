#include "managers/capture/OvCapManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "protocol/OvMsgCheck.h"
#include "util/BodyParsers.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcCapture, "talkback.capture")

OvCapManage::OvCapManage() : OvBaseMgr({75, 76, 77}, QByteArrayLiteral("CAP")) {}

void OvCapManage::setCallbacks(ListCallback list, DeleteCallback deleted, ChangeCallback changed)
{
    m_list.set(list ? TermEventCallback<OvCap>([list](TermEvent<OvCap> &e) {
        list(e.records);
        return 0;
    })
                    : TermEventCallback<OvCap>());
    setDeleteCallback(std::move(deleted));
    m_changed.set(changed ? TermEventCallback<OvCap>([changed](TermEvent<OvCap> &e) {
        for (const OvCap &c : e.records)
            changed(c);
        return 0;
    })
                          : TermEventCallback<OvCap>());
}

bool OvCapManage::parseRows(const QByteArray &body, std::vector<OvCap> &out)
{
    std::vector<OvCap> list;
    const bool parsed = rows::forEachRow(body, [&list](const Json::Value &row) {
        if (std::optional<OvCap> cap = OvCap::fromRow(row))
            list.push_back(std::move(*cap));
        else
            qCWarning(lcCapture, "capture box row skipped: terminalId \"%s\" is not a 32-bit number",
                      rows::text(row, "terminalId").constData());
    });
    if (!parsed)
        return false;
    out = std::move(list);
    return true;
}

QByteArray OvCapManage::buildList(int cseq)
{
    return buildListRequest(cseq, kListName, kListSql);
}

QByteArray OvCapManage::buildSettings(int cseq, const OvCap &cap)
{
    Json::Value object(Json::objectValue);
    object["CapSamplerate"] = rows::jsonText(QByteArray::number(cap.capSamplerate));
    object["CapVol"] = rows::jsonText(QByteArray::number(cap.capVol));
    object["Id"] = rows::jsonText(QByteArray::number(cap.id));
    object["Name"] = rows::jsonText(cap.name);
    return buildTypedPost(cseq, QByteArrayLiteral("CapM59Set"), body::writeJson(object));
}

void OvCapManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode != ListCode)
        return;
    TermEvent<OvCap> event;
    event.code = ListCode;
    if (!parseRows(body, event.records))
        return;
    std::stable_sort(event.records.begin(), event.records.end(),
                     [](const OvCap &a, const OvCap &b) { return a.id > b.id; });
    m_list.raise(event);
}

void OvCapManage::raiseChanges(const QByteArray &body)
{
    std::vector<OvCap> changed;
    if (!parseRows(body, changed))
        return;
    m_changed.raiseEach(ListCode, changed);
}

bool OvCapManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    raiseChanges(body);
    return true;
}

bool OvCapManage::onBody(const QByteArray &text)
{
    if (OvMsgCheck::classifyBody(text) != OvMsgCheck::CapList)
        return false;
    raiseChanges(text);
    return true;
}
