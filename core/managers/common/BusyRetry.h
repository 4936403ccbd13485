#pragma once

#include <functional>

// How long a list manager pauses after each attempt of a request.
constexpr int kListPauseMs = 10;
constexpr int kEditPauseMs = 100;

// Sends a request again while it finds another request outstanding (result
// 2, busy), pausing after every attempt, the last one included: the pause
// gives the server time to push the change that follows its answer. Returns
// the last result.
int retryWhileBusy(const std::function<int()> &attempt, int pauseMs);
