// Runs the simulator's media file service on its own thread, on loopback,
// so that blocking calls of the console's channel (the synchronous task
// listing) can run on the test's thread without starving the service.
#pragma once

#include "SimMediaService.h"

#include <QHostAddress>
#include <QStringList>
#include <QThread>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

// Runs jobs on the thread it lives on, one at a time, and tells the caller
// when each is done. The job and its results pass under a std::mutex, so
// the race checker sees the hand-over (it cannot see Qt's own queue, whose
// locks live in an uninstrumented library).
class ServiceJobs : public QObject
{
    Q_OBJECT
public:
    void run(std::function<void()> job)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_job = std::move(job);
        m_done = false;
        QMetaObject::invokeMethod(this, "runJob", Qt::QueuedConnection);
        m_doneChanged.wait(lock, [this] { return m_done; });
    }

private slots:
    void runJob()
    {
        std::function<void()> job;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            job = std::move(m_job);
        }
        job();
        std::lock_guard<std::mutex> lock(m_lock);
        m_done = true;
        m_doneChanged.notify_all();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_doneChanged;
    std::function<void()> m_job;
    bool m_done = false;
};

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
    void onService(std::function<void()> f) { m_context.run(std::move(f)); }

    QThread m_thread;
    ServiceJobs m_context;
    SimMediaService *m_service = nullptr;
    bool m_listening = false;
    quint16 m_port = 0;
    QString m_root;
    QString m_error;
};
