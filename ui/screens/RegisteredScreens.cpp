#include "screens/ScreenRegistry.h"

#include "managers/serverconfig/OvServerConfigMgr.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "screens/settings/OvSystemSettingForm.h"
#include "screens/terminals/OvPlayerInfoForm.h"

// One line per screen.
void registerBuiltScreens(ScreenRegistry &registry)
{
    registry.registerScreen(ScreenId::Player,
                            [](const ScreenContext &) { return new OvPlayerInfoForm(OvPlayTermListMgr::instance()); });
    registry.registerScreen(ScreenId::SystemSetting,
                            [](const ScreenContext &) { return new OvSystemSettingForm(OvServerConfigMgr::instance()); });
}
