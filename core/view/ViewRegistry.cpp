#include "view/ViewRegistry.h"

#include "managers/common/DeviceCentre.h"
#include "protocol/OvManageCenter.h"
#include "view/LevelHolder.h"
#include "view/OvCreateViewCtrMgr.h"
#include "view/OvQtViewCtrl.h"

namespace {
ViewRegistry *g_registry = nullptr;
} // namespace

ViewRegistry &ViewRegistry::create(OvManageCenter *centre)
{
    if (!g_registry)
        g_registry = new ViewRegistry(centre);  // lives for the whole run
    else
        g_registry->bindCentre(centre);  // a new session in the same process (tests)
    return *g_registry;
}

ViewRegistry *ViewRegistry::instance()
{
    return g_registry;
}

ViewRegistry::ViewRegistry(OvManageCenter *centre)
{
    LevelHolder &levels = LevelHolder::instance();
    if (!levels.viewCtrl())
        levels.setViewCtrl(OvCreateViewCtrMgr::instance().create(OvCreateViewCtrMgr::QtView));
    bindCentre(centre);
}

OvManageCenter *ViewRegistry::centre() const
{
    return deviceCentre();
}

void ViewRegistry::bindCentre(OvManageCenter *centre)
{
    // Always bound anew: a later centre may be built where an earlier one
    // was, so an address says nothing about whether it is bound.
    setDeviceCentre(centre);
    centreSetLevelCallback(centre, [](const std::vector<OvLevel> &received) {
        LevelHolder::instance().fillLevels(received);
    });
}

LevelHolder &ViewRegistry::levelHolder() const
{
    return LevelHolder::instance();
}

void ViewRegistry::attachCaptureHolder(ViewHolderBase &holder,
                                       const std::function<void(OvManageCenter *)> &bindCallbacks)
{
    m_captureHolder = &holder;
    if (!holder.viewCtrl())
        holder.setViewCtrl(OvCreateViewCtrMgr::instance().create(OvCreateViewCtrMgr::QtView));
    m_binder.setHolder(&holder);
    if (bindCallbacks)
        bindCallbacks(centre());
}

int ViewRegistry::bindView(int type, QObject *receiver, const char *slot) const
{
    return m_binder.bindView(type, receiver, slot);
}
