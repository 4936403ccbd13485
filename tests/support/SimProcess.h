#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the installation simulator (the executable named by the environment
// variable TALKBACK_SIM) for one test, on loopback and free ports.
//
//   SimProcess sim({"--terminals", "500"});
//   QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
//   socket.connectToHost(QHostAddress::LocalHost, sim.dbpPort());
//   QCOMPARE(sim.command("status 5 0"), QString("ok"));
//   QVERIFY(sim.receivedLog().contains("CSeq: 1\r\n"));
//
// The constructor starts the process with the extra arguments plus
// "--port 0 --media-port 0" and waits for its start-up line. command() sends one
// control line and returns its one-line reply ("ok ..." or "error ..."; see
// talkback-sim --help). The destructor kills the process on every path. The
// simulator's standard error is passed through to the test's. command() and
// receivedLog() block without running the event loop: flush a test socket
// (waitForBytesWritten) before asking what the simulator received.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &extraArguments = {}, int startTimeoutMs = 20000);
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    bool isRunning() const { return m_dbpPort != 0; }
    QString errorString() const { return m_error; }
    quint16 dbpPort() const { return m_dbpPort; }
    quint16 mediaPort() const { return m_mediaPort; }

    // One control command and its reply line, without the line end. An empty
    // string when the simulator did not answer within the timeout.
    QString command(const QString &line, int timeoutMs = 20000);
    // Every byte the simulator has received from consoles so far, in order.
    QByteArray receivedLog();
    void clearReceivedLog() { command(QStringLiteral("log clear")); }

    void stop();

private:
    QString readLine(int timeoutMs);

    QProcess m_process;
    QByteArray m_pending;
    QString m_error;
    quint16 m_dbpPort = 0;
    quint16 m_mediaPort = 0;
};
