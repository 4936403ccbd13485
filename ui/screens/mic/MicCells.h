#pragma once

#include <QString>

// The texts the microphone page shows for a microphone's working state,
// translated in the context "OvMicInfoForm".
namespace miccells {

// 0 "Off Line", 1 "Idle", 2 "Mic to Broadcast", 3 "Mic Call Ring",
// 4 "Talkbacking", 5 "Monitor Terminal", 6 "Mic Stop Service"; any other
// value reads as off line.
QString statusText(int status);

} // namespace miccells
