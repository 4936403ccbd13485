#include "screens/ScreenRegistry.h"

#include "managers/groups/OvMicGroupListMgr.h"
#include "managers/regions/OvRegionListMgr.h"
#include "managers/serverconfig/OvServerConfigMgr.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "screens/groups/OvMicGroupInfoForm.h"
#include "screens/regions/OvRegionMgrForm.h"
#include "screens/settings/OvSystemSettingForm.h"
#include "screens/terminals/OvPlayerInfoForm.h"

// One line per screen.
void registerBuiltScreens(ScreenRegistry &registry)
{
    registry.registerScreen(ScreenId::Player,
                            [](const ScreenContext &) { return new OvPlayerInfoForm(OvPlayTermListMgr::instance()); });
    registry.registerScreen(ScreenId::MicGroup, [](const ScreenContext &) {
        return new OvMicGroupInfoForm(OvMicGroupListMgr::instance(), currentGroupMics);
    });
    registry.registerScreen(ScreenId::Region, [](const ScreenContext &) {
        return new OvRegionMgrForm(OvRegionListMgr::instance(), currentRegionTerminals);
    });
    registry.registerScreen(ScreenId::SystemSetting,
                            [](const ScreenContext &) { return new OvSystemSettingForm(OvServerConfigMgr::instance()); });
}
