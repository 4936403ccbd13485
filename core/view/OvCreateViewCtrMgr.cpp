#include "view/OvCreateViewCtrMgr.h"

#include "view/OvQtViewCtrl.h"

OvCreateViewCtrMgr &OvCreateViewCtrMgr::instance()
{
    static OvCreateViewCtrMgr factory;
    return factory;
}

std::unique_ptr<OvQtViewCtrl> OvCreateViewCtrMgr::create(int kind) const
{
    if (kind != QtView)
        return nullptr;
    auto control = std::make_unique<OvQtViewCtrl>();
    control->createSignal();
    return control;
}
