#pragma once

#include <memory>

class OvQtViewCtrl;

// The process-wide factory of view controls, created once at start-up.
class OvCreateViewCtrMgr
{
public:
    enum Kind : int { QtView = 0 };

    static OvCreateViewCtrMgr &instance();

    // A new view control with its signal object for kind 0; nothing otherwise.
    std::unique_ptr<OvQtViewCtrl> create(int kind) const;
};
