#include "protocol/OvLevelManage.h"

OvLevelManage::OvLevelManage() : OvBaseMgr({144, 145, 146, 147, 148}) {}

void OvLevelManage::deliver(const QByteArray &text)
{
    std::vector<OvLevel> levels;
    if (readLevelList(text, levels) && m_callback)
        m_callback(levels);
}

void OvLevelManage::onOk(int requestCode, const QByteArray &body)
{
    if (ownsCode(requestCode) != 0)
        return;
    if (requestCode == kLevelListCode)
        deliver(body);
}

bool OvLevelManage::onBody(const QByteArray &text)
{
    const int kind = m_check.classifyDocument(text);
    if (kind != OvMsgCheck::LevelList && kind != OvMsgCheck::Level)
        return false;
    deliver(text);
    return true;
}
