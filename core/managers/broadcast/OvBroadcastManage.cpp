#include "managers/broadcast/OvBroadcastManage.h"

#include "protocol/OvMsgCheck.h"

OvBroadcastManage::OvBroadcastManage() : OvBaseMgr({95, 96, 97, 98}, QByteArrayLiteral("BROADCAST")) {}

bool OvBroadcastManage::onBody(const QByteArray &text)
{
    return OvMsgCheck::classifyDocument(text) == OvMsgCheck::BroadcastList;
}
