// Runs the simulator's media file service on its own thread, on loopback,
// so that blocking calls of the console's channel (the synchronous task
// listing) can run on the test's thread without starving the service.
#pragma once

#include "SimMediaService.h"

#include <QHostAddress>
#include <QStringList>
#include <QThread>

#include <memory>

class MediaServiceThread
{
public:
    explicit MediaServiceThread(const QString &root = QString())
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        onService([&] {
            m_service = new SimMediaService(root);
            m_listening = m_service->listen(QHostAddress::LocalHost, 0);
            m_port = m_service->port();
            m_root = m_service->mediaRoot();
            m_error = m_service->errorString();
        });
    }
    ~MediaServiceThread()
    {
        onService([&] { delete m_service; });
        m_thread.quit();
        m_thread.wait();
    }
    MediaServiceThread(const MediaServiceThread &) = delete;
    MediaServiceThread &operator=(const MediaServiceThread &) = delete;

    bool listening() const { return m_listening; }
    quint16 port() const { return m_port; }
    QString root() const { return m_root; }
    QString error() const { return m_error; }

    QString control(const QString &line)
    {
        QString reply;
        onService([&] { reply = m_service->control(line.split(QLatin1Char(' '), Qt::SkipEmptyParts)); });
        return reply;
    }

private:
    template <typename F> void onService(F f)
    {
        QMetaObject::invokeMethod(&m_context, f, Qt::BlockingQueuedConnection);
    }

    QThread m_thread;
    QObject m_context;
    SimMediaService *m_service = nullptr;
    bool m_listening = false;
    quint16 m_port = 0;
    QString m_root;
    QString m_error;
};
