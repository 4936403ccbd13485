#include "screens/tts/TtsCells.h"

#include <QCoreApplication>

namespace ttscells {

QString statusText(int status)
{
    static const char *const kTexts[] = {
        QT_TRANSLATE_NOOP("OvTtsInfoForm", "Off Line"),
        QT_TRANSLATE_NOOP("OvTtsInfoForm", "Idle"),
        QT_TRANSLATE_NOOP("OvTtsInfoForm", "Begin Work"),
        QT_TRANSLATE_NOOP("OvTtsInfoForm", "Working"),
        QT_TRANSLATE_NOOP("OvTtsInfoForm", "End Work"),
    };
    const int count = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
    return QCoreApplication::translate("OvTtsInfoForm", kTexts[status >= 0 && status < count ? status : 0]);
}

} // namespace ttscells
