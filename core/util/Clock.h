#pragma once

#include <QtGlobal>

#include <atomic>

// Whole-second wall clock behind an interface, so the 20 s keep-alive, the
// 300 s loss limit and the 2-3 s answer limit can be driven by tests.
class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since 1970, as the session timers count them.
    virtual qint64 nowSeconds() const = 0;

    // The process-wide clock (the system clock unless a test installed one).
    static Clock &instance();
    // Installs a clock; nullptr restores the system clock. Not owned.
    static void install(Clock *clock);
};

class SystemClock final : public Clock
{
public:
    qint64 nowSeconds() const override;
};

// A clock that moves only when told; safe to advance from any thread.
class ManualClock final : public Clock
{
public:
    explicit ManualClock(qint64 start = 1700000000) : m_seconds(start) {}
    qint64 nowSeconds() const override { return m_seconds.load(); }
    void set(qint64 seconds) { m_seconds.store(seconds); }
    void advance(qint64 seconds) { m_seconds.fetch_add(seconds); }

private:
    std::atomic<qint64> m_seconds;
};

// Installs a clock for the lifetime of a scope (tests).
class ScopedClock
{
public:
    explicit ScopedClock(Clock *clock) { Clock::install(clock); }
    ~ScopedClock() { Clock::install(nullptr); }
    ScopedClock(const ScopedClock &) = delete;
    ScopedClock &operator=(const ScopedClock &) = delete;
};
