#include "ScreenCatalog.h"

#include <QtGlobal>

namespace catalog {

const std::array<Category, 5> kCategories = {{
    {":/images/top_task32px.png", QT_TRANSLATE_NOOP("InfoCenterMgr", "Programme Source"), "预案类型", false,
     ScreenId::PlanTask},
    {":/images/top_terminal32px.png", QT_TRANSLATE_NOOP("InfoCenterMgr", "Terminal Manage"),
     QT_TRANSLATE_NOOP("InfoCenterMgr", "Terminal Type"), true, ScreenId::Player},
    {":/images/top_setting32px.png", QT_TRANSLATE_NOOP("InfoCenterMgr", "Advanced Setup "), "高级设置", false,
     ScreenId::Media},
    {":/images/top_log32px.png", QT_TRANSLATE_NOOP("InfoCenterMgr", "User Log"), "日志类型", false,
     ScreenId::UserLog},
    {":/images/top_record.png", QT_TRANSLATE_NOOP("InfoCenterMgr", "Record"), "录音类型", false,
     ScreenId::TalkRecord},
}};

const std::array<ScreenButton, kScreenCount> kButtons = {{
    {ScreenId::PlanTask, 0, "预案管理", false, ":/images/task_ss.png", "ssTaskButton"},
    {ScreenId::TimerTask, 0, "定时任务", false, ":/images/task_timer.png", "timerTaskButton"},
    {ScreenId::ManualTask, 0, "消防/人工", false, ":/images/task_manual.png", "manualTaskButton"},
    {ScreenId::SdkTask, 0, "对接任务", false, ":/images/task_sdk.png", "sdkTaskButton"},
    {ScreenId::Player, 1, QT_TRANSLATE_NOOP("InfoCenterMgr", "Player"), true, ":/images/player_term.png",
     "playerButton"},
    {ScreenId::Mic, 1, QT_TRANSLATE_NOOP("InfoCenterMgr", "Server Mic"), true, ":/images/server_mic.png",
     "micButton"},
    {ScreenId::M26, 1, QT_TRANSLATE_NOOP("InfoCenterMgr", "Call Mic"), true, ":/images/call_mic.png",
     "m26Button"},
    {ScreenId::M48, 1, QT_TRANSLATE_NOOP("InfoCenterMgr", "Emergency Mic"), true, ":/images/alarm_info.png",
     "m48Button"},
    {ScreenId::Capture, 1, QT_TRANSLATE_NOOP("InfoCenterMgr", "Capture"), true, ":/images/plate_svr.png",
     "captureButton"},
    {ScreenId::Tts, 1, QT_TRANSLATE_NOOP("InfoCenterMgr", "TTS"), true, ":/images/term_tts.png", "ttsButton"},
    {ScreenId::FAlarm, 1, "消防联动", false, ":/images/term_falarm.png", "fAlarmButton"},
    {ScreenId::M37, 1, "移动设备", false, ":/images/term_m37.png", "m37Button"},
    {ScreenId::Media, 2, QT_TRANSLATE_NOOP("InfoCenterMgr", "Media Mgr"), true, ":/images/media_mgr.png",
     "mediaButton"},
    {ScreenId::MicGroup, 2, QT_TRANSLATE_NOOP("InfoCenterMgr", "Server Group"), true,
     ":/images/server_group.png", "micGroupButton"},
    {ScreenId::Region, 2, QT_TRANSLATE_NOOP("InfoCenterMgr", "Region Mgr"), true, ":/images/region_mgr.png",
     "regionButton"},
    {ScreenId::SystemSetting, 2, QT_TRANSLATE_NOOP("InfoCenterMgr", "System Setting"), true,
     ":/images/parameter_setting.png", "systemSetButton"},
    {ScreenId::UserLog, 3, "用户日志", false, ":/images/userlog.png", "userLogButton"},
    {ScreenId::TalkLog, 3, "广播日志", false, ":/images/talklog.png", "talkLogButton"},
    {ScreenId::TermLog, 3, "终端日志", false, ":/images/termlog.png", "termLogButton"},
    {ScreenId::TalkRecord, 4, QT_TRANSLATE_NOOP("InfoCenterMgr", "Talkback Record"), true,
     ":/images/talk_record.png", "talkRecordButton"},
}};

const ScreenButton &button(ScreenId id)
{
    for (const ScreenButton &b : kButtons) {
        if (b.id == id)
            return b;
    }
    Q_UNREACHABLE();
}

} // namespace catalog
