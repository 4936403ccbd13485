// Owns the file-transfer worker and the plain thread it runs on. The
// worker's blocking commands never run on the GUI thread. Stopping asks the
// worker to end (the running command gives up at its next wait, queued
// items are dropped) and waits a bounded time, so leaving the console is
// never held up by a trickling download or a long queue.
#pragma once

#include <QThread>

#include <atomic>
#include <memory>

class TcpSocketClient;

class TcpSocketClientThread
{
public:
    // How long stopping waits for the running command to give up.
    static constexpr unsigned long kStopWaitMs = 1000;

    explicit TcpSocketClientThread(QThread::Priority priority = QThread::InheritPriority);
    ~TcpSocketClientThread();
    TcpSocketClientThread(const TcpSocketClientThread &) = delete;
    TcpSocketClientThread &operator=(const TcpSocketClientThread &) = delete;

    TcpSocketClient *client() const { return m_client.get(); }

    // True when the thread ended within kStopWaitMs. Otherwise the thread
    // and worker are left to end on their own (the worker deletes itself as
    // its thread finishes); they are never destroyed while still running.
    bool stop();

private:
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<TcpSocketClient> m_client;
    // Set by the worker's thread as it finishes and read once the wait has
    // returned: the hand-over of the worker back to this thread, in a form
    // that a race checker sees (Qt's own wait is invisible to it).
    // Shared, since a thread that did not stop in time outlives this holder.
    std::shared_ptr<std::atomic<bool>> m_finished = std::make_shared<std::atomic<bool>>(false);
};
