#pragma once

#include <functional>

// How long a list manager pauses after each attempt of a request.
constexpr int kListPauseMs = 10;
constexpr int kEditPauseMs = 100;

// How many attempts a bounded retry makes: enough to outlast one request
// that waits the whole answer limit, so the GUI thread is never held longer.
constexpr int kBusyRetryLimitMs = 4000;
int busyAttemptLimit(int pauseMs);

// Sends a request again while it finds another request outstanding (result
// 2, busy), pausing after every attempt, the last one included: the pause
// gives the server time to push the change that follows its answer. Returns
// the last result; with maxAttempts above 0 it gives up after that many
// attempts and returns Busy.
int retryWhileBusy(const std::function<int()> &attempt, int pauseMs, int maxAttempts = 0);
