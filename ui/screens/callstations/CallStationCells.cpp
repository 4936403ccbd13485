#include "screens/callstations/CallStationCells.h"

#include <QCoreApplication>

namespace callstationcells {

namespace {
QString tr(const char *source)
{
    return QCoreApplication::translate("OvCallStationCells", source);
}
} // namespace

QString statusText(int status)
{
    static const char *const kTexts[] = {
        QT_TRANSLATE_NOOP("OvCallStationCells", "Login Out"),
        QT_TRANSLATE_NOOP("OvCallStationCells", "Idle"),
        QT_TRANSLATE_NOOP("OvCallStationCells", "Sound Source Broadcast"),
        QT_TRANSLATE_NOOP("OvCallStationCells", "Mic Broadcast"),
        QT_TRANSLATE_NOOP("OvCallStationCells", "Ring By Call"),
        QT_TRANSLATE_NOOP("OvCallStationCells", "Talking"),
        QT_TRANSLATE_NOOP("OvCallStationCells", "Monitor"),
        QT_TRANSLATE_NOOP("OvCallStationCells", "EmergencyBroadcast"),
    };
    const int count = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
    return tr(kTexts[status >= 0 && status < count ? status : 0]);
}

bool statusIsAlarm(int status)
{
    return status == 7;
}

QString yesNo(int value)
{
    return value >= 1 ? tr(QT_TRANSLATE_NOOP("OvCallStationCells", "Yes"))
                      : tr(QT_TRANSLATE_NOOP("OvCallStationCells", "No"));
}

QString moveModeText(int switchMode)
{
    switch (switchMode) {
    case 3:
        return tr(QT_TRANSLATE_NOOP("OvCallStationCells", "Right Move"));
    case 4:
        return tr(QT_TRANSLATE_NOOP("OvCallStationCells", "Up Move"));
    case 5:
        return tr(QT_TRANSLATE_NOOP("OvCallStationCells", "Down Move"));
    default:
        if (switchMode > 5)
            return QString::number(switchMode);
        return tr(QT_TRANSLATE_NOOP("OvCallStationCells", "Left Move"));
    }
}

QString colourText(int ledColor)
{
    switch (ledColor) {
    case 28:
        return tr(QT_TRANSLATE_NOOP("OvCallStationCells", "Green"));
    case 252:
        return tr(QT_TRANSLATE_NOOP("OvCallStationCells", "Yellow"));
    default:
        return tr(QT_TRANSLATE_NOOP("OvCallStationCells", "Red"));
    }
}

} // namespace callstationcells
