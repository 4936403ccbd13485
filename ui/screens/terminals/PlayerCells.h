#pragma once

#include <QColor>
#include <QString>

class OvTerminal;

// Text and colour of the computed cells of the player table (status,
// amplifier temperature, loudspeaker line), translated in the context
// "OvPlayerInfoForm".
namespace playercells {

struct Cell
{
    QString text;
    QColor colour;
};

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(192, 192, 192);

QString statusText(int status);
QString speakerText(int speaker);
Cell statusCell(const OvTerminal &terminal);       // column 4
Cell temperatureCell(const OvTerminal &terminal);  // column 6
Cell speakerCell(const OvTerminal &terminal);      // column 7

} // namespace playercells
