#pragma once

// The twenty screens of the main window, in the order of its slots.
enum class ScreenId : int {
    Player, Mic, Tts, Capture, M26, M48, M37, FAlarm,
    Media, MicGroup, Region, SystemSetting,
    PlanTask, ManualTask, TimerTask, SdkTask,
    UserLog, TalkLog, TermLog, TalkRecord,
    Count
};

constexpr int kScreenCount = static_cast<int>(ScreenId::Count);
