#include "media/TcpSocketClientThread.h"

#include "media/TcpSocketClient.h"

#include <QDebug>

TcpSocketClientThread::TcpSocketClientThread(QThread::Priority priority)
    : m_thread(std::make_unique<QThread>())
    , m_client(std::make_unique<TcpSocketClient>())
{
    m_thread->setObjectName(QStringLiteral("TcpSocketClient"));
    m_client->moveToThread(m_thread.get());
    QObject::connect(m_thread.get(), &QThread::started, m_client.get(),
                     [] { qDebug() << "file transfer thread" << QThread::currentThread(); });
    QObject::connect(m_thread.get(), &QThread::finished, [finished = m_finished] {
        finished->store(true, std::memory_order_release);
    });
    m_thread->start(priority);
}

TcpSocketClientThread::~TcpSocketClientThread()
{
    stop();
}

bool TcpSocketClientThread::stop()
{
    if (!m_thread)
        return true;
    m_client->requestStop();
    m_thread->quit();
    if (m_thread->wait(kStopWaitMs) && m_finished->load(std::memory_order_acquire)) {
        m_client.reset();
        m_thread.reset();
        return true;
    }
    qWarning() << "file transfer thread did not stop in time; left to end on its own";
    TcpSocketClient *client = m_client.release();
    QThread *thread = m_thread.release();
    // The worker goes as its thread finishes (the connection is direct, so
    // this runs there), or here when it finished before the connection was
    // made; whichever comes first.
    auto deleted = std::make_shared<std::atomic<bool>>(false);
    auto release = [client, deleted] {
        if (!deleted->exchange(true))
            delete client;
    };
    QObject::connect(thread, &QThread::finished, release);
    if (thread->isFinished())
        release();
    return false;
}
