#pragma once

#include <QColor>
#include <QString>

// The texts the M26 and M48 pages show, translated in the context
// "OvCallStationCells".
namespace callstationcells {

const QColor kRed(255, 0, 0);

// 0 "Login Out", 1 "Idle", 2 "Sound Source Broadcast", 3 "Mic Broadcast",
// 4 "Ring By Call", 5 "Talking", 6 "Monitor", 7 "EmergencyBroadcast"; any
// other value reads as 0.
QString statusText(int status);
// Status 7 (an emergency broadcast) is shown in red.
bool statusIsAlarm(int status);
// The M26's ppt and aec columns: "Yes" for 1 or more, else "No".
QString yesNo(int value);
// M48 LED movement: 2 "Left Move", 3 "Right Move", 4 "Up Move", 5 "Down Move";
// below 2 "Left Move"; above 5 the number itself, so an unknown code is seen.
QString moveModeText(int switchMode);
// M48 LED colour: 224 "Red", 28 "Green", 252 "Yellow"; any other "Red".
QString colourText(int ledColor);

} // namespace callstationcells
