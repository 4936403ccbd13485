#pragma once

#include <QString>

// The texts the TTS page shows, translated in the context "OvTtsInfoForm".
namespace ttscells {

// 0 "Off Line", 1 "Idle", 2 "Begin Work", 3 "Working", 4 "End Work"; a value
// outside 0..4 reads as 0.
QString statusText(int status);

} // namespace ttscells
