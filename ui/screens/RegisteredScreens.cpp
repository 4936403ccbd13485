#include "screens/ScreenRegistry.h"

#include "managers/groups/OvMicGroupListMgr.h"
#include "managers/regions/OvRegionListMgr.h"
#include "managers/serverconfig/OvServerConfigMgr.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "screens/groups/OvMicGroupInfoForm.h"
#include "screens/regions/OvRegionMgrForm.h"
#include "screens/settings/OvSystemSettingForm.h"
#include "logs/OvMySqlConn.h"
#include "logs/OvServiceLogMgr.h"
#include "media/OvFtpClientMgr.h"
#include "screens/logs/OvTalkLogInfoForm.h"
#include "screens/logs/OvTalkRecordForm.h"
#include "screens/logs/OvTermLogInfoForm.h"
#include "screens/logs/OvUserLogInfoForm.h"
#include "managers/m37/OvM37ListMgr.h"
#include "managers/mic/OvMicListMgr.h"
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
    registry.registerScreen(ScreenId::MicGroup, [](const ScreenContext &) {
        return new OvMicGroupInfoForm(OvMicGroupListMgr::instance(), currentGroupMics);
    });
    registry.registerScreen(ScreenId::Region, [](const ScreenContext &) {
        return new OvRegionMgrForm(OvRegionListMgr::instance(), currentRegionTerminals);
    });
    registry.registerScreen(ScreenId::SystemSetting,
                            [](const ScreenContext &) { return new OvSystemSettingForm(OvServerConfigMgr::instance()); });
    registry.registerScreen(ScreenId::UserLog, [](const ScreenContext &) {
        return new OvUserLogInfoForm(*OvServiceLogMgr::instance(), *OvMySqlConn::instance());
    });
    registry.registerScreen(ScreenId::TalkLog, [](const ScreenContext &) {
        return new OvTalkLogInfoForm(*OvServiceLogMgr::instance(), *OvMySqlConn::instance());
    });
    registry.registerScreen(ScreenId::TermLog, [](const ScreenContext &) {
        return new OvTermLogInfoForm(*OvServiceLogMgr::instance(), *OvMySqlConn::instance());
    });
    registry.registerScreen(ScreenId::TalkRecord, [](const ScreenContext &context) {
        return new OvTalkRecordForm(*OvServiceLogMgr::instance(), *OvMySqlConn::instance(),
                                    *OvFtpClientMgr::instance(), context.mainWindow);
    });
    registry.registerScreen(ScreenId::Mic,
                            [](const ScreenContext &) { return new OvMicInfoForm(OvMicListMgr::instance()); });
    registry.registerScreen(ScreenId::M37,
                            [](const ScreenContext &) { return new OvM37InfoForm(OvM37ListMgr::instance()); });
    registry.registerScreen(ScreenId::Tts,
                            [](const ScreenContext &) { return new OvTtsInfoForm(OvTtsListMgr::instance()); });
}
