#pragma once

#include "protocol/OvBaseMgr.h"
#include "protocol/OvLevel.h"
#include "protocol/OvMsgCheck.h"

#include <functional>
#include <vector>

// Receives the server's permission levels ("LevelList" / "Level" bodies)
// and hands them to the level holder of the screens.
class OvLevelManage final : public OvBaseMgr
{
public:
    using LevelCallback = std::function<void(const std::vector<OvLevel> &)>;
    static constexpr int kLevelListCode = 144;

    OvLevelManage();

    void onOk(int requestCode, const QByteArray &body) override;
    bool onBody(const QByteArray &text) override;
    void onDeleted(int) override {}

    void setLevelCallback(LevelCallback callback) { m_callback = std::move(callback); }

private:
    void deliver(const QByteArray &text);

    LevelCallback m_callback;
    OvMsgCheck m_check;
};
