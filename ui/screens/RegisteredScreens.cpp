#include "screens/ScreenRegistry.h"

#include "managers/m37/OvM37ListMgr.h"
#include "managers/mic/OvMicListMgr.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "managers/tts/OvTtsListMgr.h"
#include "screens/m37/OvM37InfoForm.h"
#include "screens/mic/OvMicInfoForm.h"
#include "screens/terminals/OvPlayerInfoForm.h"
#include "screens/tts/OvTtsInfoForm.h"

// One line per screen.
void registerBuiltScreens(ScreenRegistry &registry)
{
    registry.registerScreen(ScreenId::Player,
                            [](const ScreenContext &) { return new OvPlayerInfoForm(OvPlayTermListMgr::instance()); });
    registry.registerScreen(ScreenId::Mic,
                            [](const ScreenContext &) { return new OvMicInfoForm(OvMicListMgr::instance()); });
    registry.registerScreen(ScreenId::M37,
                            [](const ScreenContext &) { return new OvM37InfoForm(OvM37ListMgr::instance()); });
    registry.registerScreen(ScreenId::Tts,
                            [](const ScreenContext &) { return new OvTtsInfoForm(OvTtsListMgr::instance()); });
}
