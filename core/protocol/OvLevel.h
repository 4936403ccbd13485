#pragma once

#include <QByteArray>
#include <QMetaType>

#include <vector>

// One permission level of the server's "LevelList".
struct OvLevel
{
    enum Type : qint16 { AdvancedSettings = 4, TerminalOperations = 5 };
    static constexpr int kMaxNameBytes = 33;

    int id = -1;
    QByteArray name;
    quint16 level = 10;
    qint16 type = 1;

    // A copy for another list: the name is cut to 33 bytes.
    OvLevel copied() const;
    QByteArray toString() const;
};
Q_DECLARE_METATYPE(OvLevel)

// Reads a level-list text: the children of "LevelList" in document order.
// False (and nothing read) when the text is not XML or has no "LevelList".
bool readLevelList(const QByteArray &text, std::vector<OvLevel> &levels);

// The level that governs controls of `type`: the first of that type in a list
// sorted by ascending id; nullptr when there is none.
const OvLevel *levelForType(const std::vector<OvLevel> &sortedLevels, int type);

// Whether a user may act on controls of `type`: the governing level exists
// and its "lv" is at least the user's level. No level list means no.
bool levelAllows(const std::vector<OvLevel> &sortedLevels, int type, int userLevel);
