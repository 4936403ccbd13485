#include "screens/terminals/PlayerCells.h"

#include "managers/terminals/OvTerminal.h"

#include <QCoreApplication>

namespace playercells {

namespace {
QString tr(const char *source)
{
    return QCoreApplication::translate("OvPlayerInfoForm", source);
}

const QString kNone = QStringLiteral("---");
const QString kCross = QStringLiteral("×");
} // namespace

QString statusText(int status)
{
    switch (status) {
    case OvTerminal::Idle:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Idle"));
    case OvTerminal::Broadcasting:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Broadcasting"));
    case OvTerminal::MicBroadcast:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Mic Broadcast"));
    case OvTerminal::Warning:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Warning"));
    case OvTerminal::Emergency:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "EmergencyBroadcast"));
    default:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Off Line"));
    }
}

QString speakerText(int speaker)
{
    switch (speaker) {
    case OvTerminal::OpenCircuit:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Open Circuit"));
    case OvTerminal::Pass:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Pass"));
    case OvTerminal::ShortCircuit:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Short Circuit"));
    case OvTerminal::Checking:
        return tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Checking"));
    default:
        return QString::number(speaker);
    }
}

Cell statusCell(const OvTerminal &terminal)
{
    if (terminal.ampWarning && terminal.status != OvTerminal::Offline)
        return {tr(QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Amp Warning")), kRed};
    return {statusText(terminal.status), terminal.status == OvTerminal::Emergency ? kRed : kBlack};
}

Cell temperatureCell(const OvTerminal &terminal)
{
    if (!terminal.isAmplifier())
        return {kNone, kGrey};
    if (terminal.status == OvTerminal::Offline)
        return {kCross, kBlack};
    return {QString::number(terminal.ampTemp) + QStringLiteral(" ℃"), kBlack};
}

Cell speakerCell(const OvTerminal &terminal)
{
    if (!terminal.isAmplifier())
        return {kNone, kGrey};
    if (terminal.status == OvTerminal::Offline)
        return {kCross, kBlack};
    if (terminal.ampWarning)
        return {kCross, kRed};
    return {speakerText(terminal.speaker), terminal.speaker == OvTerminal::Pass ? kBlack : kRed};
}

} // namespace playercells
