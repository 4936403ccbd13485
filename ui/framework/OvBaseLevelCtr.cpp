#include "framework/OvBaseLevelCtr.h"

#include "framework/OvMessageBox.h"
#include "protocol/UserRecord.h"
#include "view/LevelHolder.h"
#include "view/ViewRegistry.h"

bool OvBaseLevelCtr::permitted()
{
    OvLevel record;  // id -1, level 10, type 1 until the holder fills it
    int found = -1;
    if (ViewRegistry *registry = ViewRegistry::instance())
        found = fetchLevel(registry->levelHolder(), record);
    return found == 0 && static_cast<int>(record.level) >= currentUser().level;
}

bool OvBaseLevelCtr::checkPermission()
{
    if (permitted())
        return true;
    showMessageBox(nullptr, QString(), tr("Current user does not have permission to edit!"), OvMessageBox::Ok);
    return false;
}
