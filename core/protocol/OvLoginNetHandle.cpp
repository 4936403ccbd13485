#include "protocol/OvLoginNetHandle.h"

#include "protocol/LoginDigest.h"
#include "protocol/OvManageCenter.h"
#include "util/Clock.h"

#include <QDateTime>

OvLoginNetHandle::OvLoginNetHandle(OvManageCenter *centre)
    : OvNetState(centre), OvBaseMgr({kLoginCode, kKeepAliveCode})
{
}

double OvLoginNetHandle::now() const
{
    return static_cast<double>(Clock::instance().nowSeconds());
}

void OvLoginNetHandle::startConnection()
{
    m_loginState.store(NotConnected);
    m_loginOutcome.store(OutcomeReset);
    resetTimestamps(now());
}

int OvLoginNetHandle::sendLogin()
{
    OvManageCenter *c = centre();
    const UserRecord record = c->loginRecord();
    const QDateTime local = QDateTime::fromSecsSinceEpoch(Clock::instance().nowSeconds());
    const QByteArray body = logindigest::loginBody(record.name, record.password, logindigest::timeText(local));
    return c->sendAndRegister(m_builder.buildLogin(c->nextCSeq(), "TalkManagerLogin", body), kLoginCode);
}

int OvLoginNetHandle::loginStep()
{
    OvManageCenter *c = centre();
    const double t = now();
    switch (m_loginState.load()) {
    case NotConnected:
        if (c->connectToServer() != 0) {
            c->stop();
            return -1;
        }
        c->onConnected();
        return 0;
    case ConnectedNotLoggedIn:
        if (t - lastAnswer() > lossLimit()) {
            c->stop();
            return 0;
        }
        if (t > deadline()) {
            setDeadline(t + kKeepAliveSeconds);
            return sendLogin();
        }
        return 0;
    case LoggedIn:
    default:
        if (t - lastAnswer() > lossLimit()) {
            c->stop();
            return 0;
        }
        if (t > deadline()) {
            const int sent = c->sendAndRegisterIfOpen(m_builder.buildOnline(c->nextCSeq()), kKeepAliveCode);
            if (sent != 0)
                return sent;  // the deadline stays, so the next turn tries again
            setDeadline(t + kKeepAliveSeconds);
        }
        return 0;
    }
}

void OvLoginNetHandle::onLoginAccepted()
{
    m_loginState.store(LoggedIn);
    resetTimestamps(now());
}

void OvLoginNetHandle::onOk(int requestCode, const QByteArray &)
{
    if (ownsCode(requestCode) != 0)
        return;
    const int state = m_loginState.load();
    if (state == ConnectedNotLoggedIn && requestCode == kLoginCode) {
        setLastAnswer(now());
        centre()->onLoginResult(true);
        m_loginOutcome.store(OutcomeAccepted);
    } else if (state == LoggedIn) {
        setLastAnswer(now());
    }
}

void OvLoginNetHandle::onRefused(int requestCode)
{
    if (ownsCode(requestCode) != 0)
        return;
    if (m_loginState.load() == ConnectedNotLoggedIn && requestCode == kLoginCode) {
        centre()->onLoginResult(false);
        centre()->stop();
        m_loginOutcome.store(OutcomeRefused);
    }
}
