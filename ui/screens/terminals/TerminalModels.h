#pragma once

#include <QByteArray>
#include <QString>

// The model codes of player terminals and the family each belongs to. A row
// names its model by "exten", or by "type" when it has no extended code
// ("--"); the first column of the player table shows the family.
namespace terminalmodels {

enum class Family : int {
    IpAmplifier,     // wall and rack IP amplifiers (temperature and loudspeaker supervision)
    PlayerTerminal,  // network player terminals driving an external amplifier
    ColumnSpeaker,   // outdoor column and horn loudspeakers with a built-in amplifier
    CeilingSpeaker,  // active ceiling and wall loudspeakers
    Decoder,         // network audio decoder modules for third-party amplifiers
    Other            // any code not in the table
};

constexpr int kModelCodeCount = 32;

// The code the row is looked up by: exten, or type when exten is "--" (or empty).
QByteArray modelCode(const QByteArray &type, const QByteArray &exten);
// Position of the code in the model table, -1 when it is not there.
int modelIndex(const QByteArray &code);
Family familyOf(const QByteArray &code);
// The translated family label (context "OvPlayerInfoForm").
QString familyLabel(Family family);
QString typeLabel(const QByteArray &type, const QByteArray &exten);

} // namespace terminalmodels
