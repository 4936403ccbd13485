#pragma once

#include "protocol/OvLevel.h"

#include <QCoreApplication>

class LevelHolder;

// Asked by every editing screen before it changes anything: does the
// server's permission level for this kind of control admit the current user?
class OvBaseLevelCtr
{
    Q_DECLARE_TR_FUNCTIONS(OvBaseLevelCtr)
public:
    virtual ~OvBaseLevelCtr() = default;

    // True when allowed; otherwise tells the operator and returns false.
    virtual bool checkPermission();
    // Copies the level that governs this control into `level`: 0, or -1 when
    // the holder has no list or no such level.
    virtual int fetchLevel(const LevelHolder &holder, OvLevel &level) = 0;

    // The permission check without the message (for enabling controls).
    bool permitted();
};
