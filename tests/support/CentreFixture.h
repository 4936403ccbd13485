#pragma once

#include "ScriptedPeer.h"
#include "protocol/OvLoginNetHandle.h"
#include "protocol/OvManageCenter.h"
#include "util/Clock.h"

#include <QtTest>

// Connects a centre to a scripted peer and logs in. On a manual clock the
// first login leaves once the clock has moved past the start second.
inline bool startSession(OvManageCenter &centre, const ScriptedPeer &peer, bool waitForLogin = true,
                         ManualClock *clock = nullptr)
{
    centre.setServerAddress(QStringLiteral("127.0.0.1"), peer.port());
    centre.setCredentials("admin", "admin");
    centre.startReceiveThread();
    if (clock)
        clock->advance(1);
    if (!waitForLogin)
        return true;
    QElapsedTimer t;
    t.start();
    while (centre.state() != ConnectionState::LoggedIn && t.elapsed() < 10000)
        QTest::qWait(5);
    return centre.state() == ConnectionState::LoggedIn;
}

// Waits until the receive loop has run `turns` more turns.
inline bool waitTurns(const OvManageCenter &centre, quint64 turns = 3)
{
    const quint64 target = centre.receiveTurns() + turns;
    QElapsedTimer t;
    t.start();
    while (centre.receiveTurns() < target && t.elapsed() < 10000)
        QTest::qWait(2);
    return centre.receiveTurns() >= target;
}
