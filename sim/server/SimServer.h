#pragma once

#include "commands/CommandTable.h"
#include "db/JsonRows.h"
#include "server/FaultPlan.h"
#include "server/RequestLog.h"

#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QTcpServer>

class DbpMessage;
class SimDatabase;
class SimSession;

// The DBP/1.0 server: accepts console connections, answers their requests from
// the installation database and pushes changes to every logged-in console.
class SimServer : public QObject
{
    Q_OBJECT
public:
    explicit SimServer(SimDatabase &db, QObject *parent = nullptr);
    ~SimServer() override;

    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const { return m_server.serverPort(); }
    QString errorString() const { return m_server.errorString(); }

    FaultPlan &faults() { return m_faults; }
    RequestLog &log() { return m_log; }
    JsonRows::Limits &listLimits() { return m_limits; }
    CommandSettings &commandSettings() { return m_commandSettings; }
    SimDatabase &database() { return m_db; }

    // Sends a message to every logged-in console (through the fault shaping).
    void push(const QByteArray &message);
    // Sends raw bytes to every connection, logged in or not, bypassing faults.
    void sendRawToAll(const QByteArray &bytes);
    int sessionCount() const { return m_sessions.size(); }
    void closeAll();

private:
    void onNewConnection();
    void onMessage(SimSession *session, const DbpMessage &request);
    using Reply = QVector<QByteArray>;  // the answer's parts, sent one after the other
    // What happens after a command's answer besides its pushes.
    struct Followup {
        int answerDelayMs = 0;
        bool endSessions = false;
    };
    void answer(SimSession *session, const DbpMessage &request, const Reply &reply);
    Reply handle(SimSession *session, const DbpMessage &request, QVector<QByteArray> *pushes, Followup *followup);
    QByteArray handleLogin(SimSession *session, const DbpMessage &request, QVector<QByteArray> *pushes);
    Reply handleGet(const DbpMessage &request);
    QByteArray handleCommand(const DbpMessage &request, QVector<QByteArray> *pushes, Followup *followup);
    void endAllSessions();

    SimDatabase &m_db;
    QTcpServer m_server;
    QSet<SimSession *> m_sessions;
    int m_nextSession = 1;
    FaultPlan m_faults;
    RequestLog m_log;
    JsonRows::Limits m_limits{200000, 128 * 1024 * 1024};
    CommandSettings m_commandSettings;
};
