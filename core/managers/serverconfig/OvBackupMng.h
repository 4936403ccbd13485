#pragma once

#include "protocol/OvBaseMgr.h"

// The data manager of dispatch slot 9. It takes part in the dispatch without
// a role: every backup and restore request and answer belongs to
// OvServerConfigManage; this one has no codes and claims nothing.
class OvBackupMng final : public OvBaseMgr
{
public:
    OvBackupMng() : OvBaseMgr({}) {}

    void onOk(int, const QByteArray &) override {}
    bool onBody(const QByteArray &) override { return false; }
    void onDelete(const QByteArray &, int) override {}
    void onDeleted(int) override {}
};
