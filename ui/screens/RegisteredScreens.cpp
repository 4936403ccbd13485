#include "screens/ScreenRegistry.h"

// One line per screen, for example:
//   registry.registerScreen(ScreenId::Player,
//       [](const ScreenContext &) { return new OvPlayerInfoForm; });
void registerBuiltScreens(ScreenRegistry &registry)
{
    (void)registry;
}
