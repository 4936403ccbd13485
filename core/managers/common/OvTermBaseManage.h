#pragma once

#include "protocol/OvCommandRequest.h"

#include <QByteArray>

// The request side shared by every device data manager (its first base; the
// dispatch hooks come from OvBaseMgr, the second base). Requests are built on
// the GUI thread inside the waiting request, so the one builder is never used
// by two threads at once.
class OvTermBaseManage
{
public:
    OvTermBaseManage() = default;
    virtual ~OvTermBaseManage();
    OvTermBaseManage(const OvTermBaseManage &) = delete;
    OvTermBaseManage &operator=(const OvTermBaseManage &) = delete;

    // GET SqlConfig with the list name as subtype and the SQL text as body.
    QByteArray buildListRequest(int cseq, const QByteArray &listName, const QByteArray &sql);
    // POST with {"Id":"<id>","<key>":"<value>"}.
    QByteArray buildIdValue(int cseq, int id, const QByteArray &packetType, const char *key, int value);
    // POST "RemoveDevice" with {"Id":"<id>","Type":"<type>"}.
    QByteArray buildRemoveDevice(int cseq, int id, const QByteArray &typeText);
    // POST with a body the family has written already (possibly empty).
    QByteArray buildTypedPost(int cseq, const QByteArray &packetType, const QByteArray &body);
    // GET with "Data:" and "Id:" headers and no body.
    QByteArray buildDataIdQuery(int cseq, const QByteArray &dataName, int id);

protected:
    OvCommandRequest &builder() { return m_request; }

private:
    OvCommandRequest m_request;
};
