#include "LoginAttempt.h"

#include "protocol/OvLoginNetHandle.h"
#include "protocol/OvManageCenter.h"

#include <QEventLoop>
#include <QTimer>

LoginAttempt::Result LoginAttempt::run(const QString &serverIp, int serverPort, const QByteArray &user,
                                       const QByteArray &password)
{
    m_abandoned = false;
    m_centre.setServerAddress(serverIp, serverPort);
    m_centre.setCredentials(user, password);
    m_centre.startReceiveThread();

    Result result = Result::Failed;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (decided(result))
            loop.quit();
    });
    poll.start();
    if (!decided(result))
        loop.exec();
    return result;
}

bool LoginAttempt::decided(Result &result) const
{
    if (m_abandoned) {
        result = Result::Abandoned;
        return true;
    }
    if (m_centre.state() == ConnectionState::LoggedIn) {
        result = Result::Accepted;
        return true;
    }
    // Checked before Closed: a refusal also ends the connection.
    if (m_centre.loginOutcome() == OvLoginNetHandle::OutcomeRefused) {
        result = Result::Refused;
        return true;
    }
    if (m_centre.state() == ConnectionState::Closed) {
        result = Result::Failed;
        return true;
    }
    return false;
}
