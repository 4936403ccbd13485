#pragma once

#include <atomic>

class OvManageCenter;

// The timers of one connection's login and keep-alive, in whole seconds.
class OvNetState
{
public:
    static constexpr int kKeepAliveSeconds = 20;

    explicit OvNetState(OvManageCenter *centre) : m_centre(centre) {}
    virtual ~OvNetState() = default;

    // One login/keep-alive step, run by the receive loop before each read.
    virtual int loginStep() = 0;

    double deadline() const { return m_deadline.load(); }
    double lastAnswer() const { return m_lastAnswer.load(); }
    int lossLimit() const { return m_lossLimit; }

protected:
    OvManageCenter *centre() const { return m_centre; }
    void resetTimestamps(double now)
    {
        m_deadline.store(now);
        m_lastAnswer.store(now);
    }
    void setDeadline(double t) { m_deadline.store(t); }
    void setLastAnswer(double t) { m_lastAnswer.store(t); }

private:
    OvManageCenter *m_centre;
    std::atomic<double> m_deadline{0};
    std::atomic<double> m_lastAnswer{0};
    int m_lossLimit = 300;
};
