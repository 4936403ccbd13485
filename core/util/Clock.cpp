#include "util/Clock.h"

#include <ctime>

namespace {
SystemClock g_systemClock;
std::atomic<Clock *> g_clock{&g_systemClock};
}

qint64 SystemClock::nowSeconds() const
{
    return static_cast<qint64>(std::time(nullptr));
}

Clock &Clock::instance()
{
    return *g_clock.load();
}

void Clock::install(Clock *clock)
{
    g_clock.store(clock ? clock : &g_systemClock);
}
