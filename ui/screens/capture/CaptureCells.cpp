#include "screens/capture/CaptureCells.h"

#include <QCoreApplication>

namespace capturecells {

namespace {
QString tr(const char *source)
{
    return QCoreApplication::translate("OvCapInfoForm", source);
}
} // namespace

QString sampleRateName(int capSamplerate)
{
    switch (capSamplerate) {
    case 24000:
        return tr(QT_TRANSLATE_NOOP("OvCapInfoForm", "Medium "));
    case 32000:
        return tr(QT_TRANSLATE_NOOP("OvCapInfoForm", "Advanced"));
    default:
        return tr(QT_TRANSLATE_NOOP("OvCapInfoForm", "General"));
    }
}

QString statusText(int status)
{
    switch (status) {
    case 1:
        return tr(QT_TRANSLATE_NOOP("OvCapInfoForm", "Idle"));
    case 2:
        return tr(QT_TRANSLATE_NOOP("OvCapInfoForm", "Broadcasting"));
    default:
        return tr(QT_TRANSLATE_NOOP("OvCapInfoForm", "Off Line"));
    }
}

} // namespace capturecells
