#pragma once

#include <QObject>
#include <QString>

#include <functional>

class OvManageCenter;

// The GUI-side end of the connection: turns the receive thread's loss and
// device-ID conflict callbacks into queued signals, and their slots into
// operator messages. How a message is shown is the shell's business: it sets
// the presenter (a modal message dialog) and the window closer.
class OvNetLosssHandle : public QObject
{
    Q_OBJECT
public:
    // Shows a modal message with a title; returns when the operator closed it.
    using Presenter = std::function<void(const QString &title, const QString &text)>;
    using WindowCloser = std::function<void()>;

    explicit OvNetLosssHandle(OvManageCenter *centre, QObject *parent = nullptr);

    void setPresenter(Presenter presenter) { m_presenter = std::move(presenter); }
    void setWindowCloser(WindowCloser closer) { m_closer = std::move(closer); }

    // The conflict text shown for a TerminalConflict body.
    static QString conflictMessage(const QString &jsonText);

signals:
    void netloss_signal();
    void device_conflict_signal(QString json_str);

public slots:
    void slot_netloss();
    void slot_device_conflict(QString json_str);

private:
    Presenter m_presenter;
    WindowCloser m_closer;
    bool m_conflictOpen = false;
};
