#pragma once

#include <atomic>

// The process-wide record of the last answer: a waiting request clears it
// before it sends, the dispatcher fills it once the managers have handled
// the answer.
class OvMgrMsg
{
public:
    static OvMgrMsg &instance();

    void clear()
    {
        m_ok.store(false);
        m_answered.store(false);
    }
    void record(bool ok)
    {
        m_ok.store(ok);
        m_answered.store(true);
    }
    bool answered() const { return m_answered.load(); }
    bool ok() const { return m_ok.load(); }

private:
    std::atomic<bool> m_answered{false};
    std::atomic<bool> m_ok{false};
};
