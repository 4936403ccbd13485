#pragma once

#include <QByteArray>

class OvManageCenter;

// The removal of a terminal of any family (request code 7, "RemoveDevice").
// It goes out through the IP amplifier family's manager, which owns the code
// and reports a refusal through its own callback; every family's list manager
// calls it from here, so none of them depends on the amplifier family.
int centreRemoveDevice(OvManageCenter *centre, int id, const QByteArray &typeText);
