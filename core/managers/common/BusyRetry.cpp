#include "managers/common/BusyRetry.h"

#include "protocol/RequestResult.h"

#include <chrono>
#include <thread>

int retryWhileBusy(const std::function<int()> &attempt, int pauseMs)
{
    int result;
    do {
        result = attempt();
        if (pauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    } while (result == Busy);
    return result;
}
