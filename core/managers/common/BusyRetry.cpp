#include "managers/common/BusyRetry.h"

#include "protocol/RequestResult.h"

#include <algorithm>
#include <chrono>
#include <thread>

int busyAttemptLimit(int pauseMs)
{
    return pauseMs > 0 ? std::max(1, kBusyRetryLimitMs / pauseMs) : 1;
}

int retryWhileBusy(const std::function<int()> &attempt, int pauseMs, int maxAttempts)
{
    int result;
    int attempts = 0;
    do {
        result = attempt();
        ++attempts;
        if (pauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    } while (result == Busy && (maxAttempts <= 0 || attempts < maxAttempts));
    return result;
}
