#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class OvManageCenter;

// One login: hands address and credentials to the centre, starts a new
// receive thread and waits for the outcome, checking every 100 ms. Events
// keep being processed meanwhile, so the dialog repaints and stays usable.
class LoginAttempt
{
public:
    enum class Result { Accepted, Refused, Failed, Abandoned };
    static constexpr int kPollMs = 100;

    explicit LoginAttempt(OvManageCenter &centre) : m_centre(centre) {}

    Result run(const QString &serverIp, int serverPort, const QByteArray &user, const QByteArray &password);
    // Makes a running attempt return Abandoned at its next check.
    void abandon() { m_abandoned = true; }

private:
    // The outcome rules: logged in, refused (outcome 6), else closed.
    bool decided(Result &result) const;

    OvManageCenter &m_centre;
    bool m_abandoned = false;
};
