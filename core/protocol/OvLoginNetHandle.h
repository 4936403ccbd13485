#pragma once

#include "protocol/OvBaseMgr.h"
#include "protocol/OvCommandRequest.h"
#include "protocol/OvNetState.h"

#include <atomic>

// Drives one connection from the receive thread: connect, log in with
// "TalkManagerLogin", keep alive with ONLINE every 20 s, give up after 300 s
// without an accepted answer.
class OvLoginNetHandle final : public OvNetState, public OvBaseMgr
{
public:
    enum LoginState : int { NotConnected = 0, ConnectedNotLoggedIn = 1, LoggedIn = 2 };
    enum LoginOutcome : int { OutcomeReset = 1, OutcomeRefused = 6, OutcomeAccepted = 7 };
    static constexpr int kLoginCode = 1;
    static constexpr int kKeepAliveCode = 2;

    explicit OvLoginNetHandle(OvManageCenter *centre);

    // Start of a connection: state 0, outcome 1, timestamps reset.
    void startConnection();
    int loginStep() override;
    // Builds and sends one login request (code 1); the send result.
    int sendLogin();
    // Called by the centre when the server accepted the login.
    void onLoginAccepted();
    // Refused answers reach the login handle before any manager.
    void onRefused(int requestCode);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int) override {}

    int loginState() const { return m_loginState.load(); }
    int loginOutcome() const { return m_loginOutcome.load(); }
    void setConnected() { m_loginState.store(ConnectedNotLoggedIn); }

private:
    double now() const;

    std::atomic<int> m_loginState{NotConnected};
    std::atomic<int> m_loginOutcome{OutcomeReset};
    OvCommandRequest m_builder;
};
