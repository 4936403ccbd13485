#pragma once

#include <QString>

// The texts the capture page shows, translated in the context "OvCapInfoForm".
namespace capturecells {

// 16000 "General", 24000 "Medium " (with its trailing blank), 32000
// "Advanced"; any other rate "General".
QString sampleRateName(int capSamplerate);
// 0 "Off Line", 1 "Idle", 2 "Broadcasting"; any other value "Off Line".
QString statusText(int status);

} // namespace capturecells
