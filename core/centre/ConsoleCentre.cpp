// The console's centre: the dispatcher of the protocol layer with every
// family's manager in its fixed slot. It lives above the families so that the
// protocol layer never names one of them.
#include "protocol/OvManageCenter.h"

#include "logs/OvLogManage.h"
#include "managers/broadcast/OvBroadcastManage.h"
#include "managers/callstations/OvM26Manage.h"
#include "managers/callstations/OvM48Manage.h"
#include "managers/capture/OvCapManage.h"
#include "managers/firealarm/OvFAlarmManage.h"
#include "managers/m37/OvM37Manage.h"
#include "managers/groups/OvMicGroupManage.h"
#include "managers/mic/OvMicManage.h"
#include "managers/regions/OvRegionManage.h"
#include "managers/schemes/OvSchemeManage.h"
#include "managers/serverconfig/OvBackupMng.h"
#include "managers/serverconfig/OvServerConfigManage.h"
#include "managers/tasks/OvPlayTaskManage.h"
#include "managers/tasks/OvSsTaskManage.h"
#include "managers/terminals/OvTerminalManage.h"
#include "managers/tts/OvTtsManage.h"
#include "protocol/OvLevelManage.h"

#include <memory>

OvManageCenter::OvManageCenter() : OvManageCenter(Bare)
{
    // Managers of the families come in their own slots; an empty slot makes
    // the facade of that family answer -1.
    installManager(TerminalSlot, std::make_unique<OvTerminalManage>());
    installManager(MicSlot, std::make_unique<OvMicManage>());
    installManager(CapSlot, std::make_unique<OvCapManage>());
    installManager(BroadcastSlot, std::make_unique<OvBroadcastManage>());
    installManager(TtsSlot, std::make_unique<OvTtsManage>());
    installManager(M26Slot, std::make_unique<OvM26Manage>());
    installManager(M48Slot, std::make_unique<OvM48Manage>());
    installManager(M37Slot, std::make_unique<OvM37Manage>());
    installManager(FAlarmSlot, std::make_unique<OvFAlarmManage>());
    installManager(LevelSlot, std::make_unique<OvLevelManage>());
    installManager(PlayTaskSlot, std::make_unique<OvPlayTaskManage>());
    installManager(PlanSlot, std::make_unique<OvPlanManage>());
    installManager(SsTaskSlot, std::make_unique<OvSsTaskManage>());
    installManager(SchemeSlot, std::make_unique<OvSchemeManage>());
    installManager(RegionSlot, std::make_unique<OvRegionManage>());
    installManager(MicGroupSlot, std::make_unique<OvMicGroupManage>());
    installManager(ServerConfigSlot, std::make_unique<OvServerConfigManage>());
    installManager(BackupSlot, std::make_unique<OvBackupMng>());
    installManager(LogSlot, std::make_unique<OvLogManage>());
}
