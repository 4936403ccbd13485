#include "screens/mic/MicCells.h"

#include <QCoreApplication>

namespace miccells {

QString statusText(int status)
{
    static const char *const kTexts[] = {
        QT_TRANSLATE_NOOP("OvMicInfoForm", "Off Line"),
        QT_TRANSLATE_NOOP("OvMicInfoForm", "Idle"),
        QT_TRANSLATE_NOOP("OvMicInfoForm", "Mic to Broadcast"),
        QT_TRANSLATE_NOOP("OvMicInfoForm", "Mic Call Ring"),
        QT_TRANSLATE_NOOP("OvMicInfoForm", "Talkbacking"),
        QT_TRANSLATE_NOOP("OvMicInfoForm", "Monitor Terminal"),
        QT_TRANSLATE_NOOP("OvMicInfoForm", "Mic Stop Service"),
    };
    const int count = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
    const int index = status >= 0 && status < count ? status : 0;
    return QCoreApplication::translate("OvMicInfoForm", kTexts[index]);
}

} // namespace miccells
