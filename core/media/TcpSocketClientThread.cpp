#include "media/TcpSocketClientThread.h"

#include "media/TcpSocketClient.h"

#include <QDebug>

TcpSocketClientThread::TcpSocketClientThread(QThread::Priority priority)
    : m_client(std::make_unique<TcpSocketClient>())
{
    m_thread.setObjectName(QStringLiteral("TcpSocketClient"));
    m_client->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::started, m_client.get(),
                     [] { qDebug() << "file transfer thread" << QThread::currentThread(); });
    m_thread.start(priority);
}

TcpSocketClientThread::~TcpSocketClientThread()
{
    m_thread.quit();
    m_thread.wait();
    m_client.reset();
}
