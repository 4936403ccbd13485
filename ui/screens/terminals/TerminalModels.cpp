#include "screens/terminals/TerminalModels.h"

#include <QCoreApplication>

#include <array>

namespace terminalmodels {

namespace {

// Grouped by family; the family of a code is the group its position falls in.
const std::array<const char *, kModelCodeCount> kCodes = {{
    // IP amplifiers
    "IP", "0820", "0821", "0822", "0823", "0824", "0825", "0826",
    // player terminals
    "PT", "0917", "0918", "0919", "0920", "0921",
    // column and horn loudspeakers
    "0710", "0711", "0712", "0713", "0714", "0715",
    // ceiling and wall loudspeakers
    "0610", "0611", "0612", "0613", "0614", "0615",
    // decoder modules
    "0510", "0511", "0512", "0513", "0514", "0515",
}};

// First position of each family in kCodes, and the end.
constexpr std::array<int, 6> kFamilyStart = {{0, 8, 14, 20, 26, kModelCodeCount}};

const char *const kLabels[] = {
    QT_TRANSLATE_NOOP("OvPlayerInfoForm", "IP Amplifier"),
    QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Player Terminal"),
    QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Column Speaker"),
    QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Ceiling Speaker"),
    QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Audio Decoder"),
    QT_TRANSLATE_NOOP("OvPlayerInfoForm", "Network Terminal"),
};

} // namespace

QByteArray modelCode(const QByteArray &type, const QByteArray &exten)
{
    return exten.isEmpty() || exten == "--" ? type : exten;
}

int modelIndex(const QByteArray &code)
{
    for (size_t i = 0; i < kCodes.size(); ++i) {
        if (code == kCodes[i])
            return static_cast<int>(i);
    }
    return -1;
}

Family familyOf(const QByteArray &code)
{
    const int index = modelIndex(code);
    if (index < 0)
        return Family::Other;
    int family = 0;
    while (index >= kFamilyStart[static_cast<size_t>(family) + 1])
        ++family;
    return static_cast<Family>(family);
}

QString familyLabel(Family family)
{
    return QCoreApplication::translate("OvPlayerInfoForm", kLabels[static_cast<int>(family)]);
}

QString typeLabel(const QByteArray &type, const QByteArray &exten)
{
    return familyLabel(familyOf(modelCode(type, exten)));
}

} // namespace terminalmodels
