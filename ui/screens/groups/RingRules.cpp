#include "screens/groups/RingRules.h"

#include <QCoreApplication>

namespace ringrules {

QString name(int rule)
{
    static const char *const names[kCount] = {
        QT_TRANSLATE_NOOP("MicGroup", "All Ring"),
        QT_TRANSLATE_NOOP("MicGroup", "Ring Least First"),
        QT_TRANSLATE_NOOP("MicGroup", "Answer Least First"),
        QT_TRANSLATE_NOOP("MicGroup", "Talk Least First"),
        QT_TRANSLATE_NOOP("MicGroup", "Fixed Order"),
    };
    if (rule < 1 || rule > kCount)
        return QString::number(rule);
    return QCoreApplication::translate("MicGroup", names[rule - 1]);
}

} // namespace ringrules
