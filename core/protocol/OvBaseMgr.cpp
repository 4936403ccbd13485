#include "protocol/OvBaseMgr.h"

#include <algorithm>

OvBaseMgr::OvBaseMgr(std::vector<int> codes, QByteArray familyKey)
    : m_codes(std::move(codes)), m_familyKey(std::move(familyKey))
{
}

OvBaseMgr::~OvBaseMgr() = default;

bool OvBaseMgr::onNotify(const QByteArray &, const QByteArray &body)
{
    return onBody(body);
}

void OvBaseMgr::onError(int, const QByteArray &)
{
}

void OvBaseMgr::onDelete(const QByteArray &type, int id)
{
    if (type != m_familyKey)
        return;
    onDeleted(id);
    if (m_deleteCallback)
        m_deleteCallback(id);
}

int OvBaseMgr::ownsCode(int requestCode) const
{
    return std::find(m_codes.begin(), m_codes.end(), requestCode) != m_codes.end() ? 0 : -1;
}

bool OvBaseMgr::onLateAnswer(int, bool, const QByteArray &)
{
    return false;
}
