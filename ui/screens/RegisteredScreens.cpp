#include "screens/ScreenRegistry.h"

#include "managers/terminals/OvPlayTermListMgr.h"
#include "screens/terminals/OvPlayerInfoForm.h"

// One line per screen.
void registerBuiltScreens(ScreenRegistry &registry)
{
    registry.registerScreen(ScreenId::Player,
                            [](const ScreenContext &) { return new OvPlayerInfoForm(OvPlayTermListMgr::instance()); });
}
