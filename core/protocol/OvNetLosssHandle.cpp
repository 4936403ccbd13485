#include "protocol/OvNetLosssHandle.h"

#include "protocol/OvManageCenter.h"
#include "util/BodyParsers.h"
#include "util/ByteSearch.h"

OvNetLosssHandle::OvNetLosssHandle(OvManageCenter *centre, QObject *parent) : QObject(parent)
{
    connect(this, &OvNetLosssHandle::netloss_signal, this, &OvNetLosssHandle::slot_netloss);
    connect(this, &OvNetLosssHandle::device_conflict_signal, this, &OvNetLosssHandle::slot_device_conflict);
    if (!centre)
        return;
    // Both run on the receive thread; the signals cross to the GUI thread queued.
    centre->setLossCallback([this] { emit netloss_signal(); });
    centre->setConflictCallback([this](int, const QByteArray &body) {
        emit device_conflict_signal(QString::fromUtf8(body));
    });
}

void OvNetLosssHandle::slot_netloss()
{
    if (m_presenter)
        m_presenter(QStringLiteral("提示"), QStringLiteral("连接超时，请重新登陆!"));
    if (m_closer)
        m_closer();
}

QString OvNetLosssHandle::conflictMessage(const QString &jsonText)
{
    QString text = QStringLiteral("设备ID冲突，请重新设置!\r\n") + QStringLiteral("\r\n");
    Json::Value root;
    if (!body::parseJson(jsonText.toUtf8(), root) || !root.isArray())
        return text;
    for (const Json::Value &element : root) {
        const QByteArray idText = body::memberText(element, "terminalId");
        QByteArray name = body::memberText(element, "name");
        if (name.isEmpty())
            name = idText;
        const int id = leadingDecimal32(idText.constData(), 0, idText.size());
        text += QStringLiteral("  ID:") + QString::number(id) + QStringLiteral(" Name:")
            + QString::fromUtf8(name) + QStringLiteral(" IP:")
            + QString::fromUtf8(body::memberText(element, "ip")) + QStringLiteral("\r\n");
    }
    return text;
}

void OvNetLosssHandle::slot_device_conflict(QString json_str)
{
    if (m_conflictOpen)
        return;
    m_conflictOpen = true;
    if (m_presenter)
        m_presenter(QStringLiteral("提示"), conflictMessage(json_str));
    m_conflictOpen = false;
}
