#pragma once

#include "logs/LogDbAccount.h"

#include <QByteArray>

typedef struct st_mysql MYSQL;
class OvMySqlResult;

// One connection to the log database. A connection belongs to one thread
// (the client library's connections are not thread-safe): the pages share
// instance(), and the export opens its own.
class OvMySqlConn
{
public:
    OvMySqlConn();
    ~OvMySqlConn();
    OvMySqlConn(const OvMySqlConn &) = delete;
    OvMySqlConn &operator=(const OvMySqlConn &) = delete;

    // The pages' connection (GUI thread only).
    static OvMySqlConn *instance();

    // Stores the account with this host and opens the connection; 0 on
    // success, -1 on failure.
    int connect(const QString &host);
    int connect(const LogDbAccount &account);
    // Opens the connection again with the stored account when not connected.
    bool ensureConnected();
    bool isConnected() const { return m_connected; }
    const LogDbAccount &account() const { return m_account; }
    void close();

    // Runs one statement and fills result: 0 or more on success, -1 on failure.
    int execute(const QByteArray &sql, OvMySqlResult &result);
    QString lastError() const { return m_lastError; }

private:
    int open();

    MYSQL *m_handle = nullptr;
    LogDbAccount m_account;
    bool m_connected = false;
    QString m_lastError;
};
