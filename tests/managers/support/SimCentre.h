#pragma once

#include "SimProcess.h"
#include "protocol/OvManageCenter.h"

#include <QtTest>

#include <memory>

// The simulator's sample installation and a console centre logged in to it.
struct SimCentre
{
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<OvManageCenter> centre;

    bool start(const QStringList &simArguments = {})
    {
        sim = std::make_unique<SimProcess>(simArguments);
        if (!sim->isRunning()) {
            qWarning("%s", qPrintable(sim->errorString()));
            return false;
        }
        centre = std::make_unique<OvManageCenter>();
        centre->setServerAddress(QStringLiteral("127.0.0.1"), sim->dbpPort());
        centre->setCredentials("admin", "admin");
        centre->startReceiveThread();
        QElapsedTimer t;
        t.start();
        while (centre->state() != ConnectionState::LoggedIn && t.elapsed() < 15000)
            QTest::qWait(10);
        return centre->state() == ConnectionState::LoggedIn;
    }

    // The receive thread stops before any list manager goes.
    void stopThread()
    {
        if (centre)
            centre->stopReceiveThread();
    }
};
