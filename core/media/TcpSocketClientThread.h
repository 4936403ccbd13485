// Owns the file-transfer worker and the plain thread it runs on. The
// worker's blocking commands never run on the GUI thread; destruction quits
// the thread, waits for the running command to end and deletes the worker.
#pragma once

#include <QThread>

#include <memory>

class TcpSocketClient;

class TcpSocketClientThread
{
public:
    explicit TcpSocketClientThread(QThread::Priority priority = QThread::InheritPriority);
    ~TcpSocketClientThread();
    TcpSocketClientThread(const TcpSocketClientThread &) = delete;
    TcpSocketClientThread &operator=(const TcpSocketClientThread &) = delete;

    TcpSocketClient *client() const { return m_client.get(); }

private:
    QThread m_thread;
    std::unique_ptr<TcpSocketClient> m_client;
};
