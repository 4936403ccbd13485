#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away MariaDB log server (scripts/logdb.sh) for one test program:
// database "talkbacklog" with the sample rows, root/wkfj from 127.0.0.1, on
// a port chosen at run time. Start one per test program, not per test case:
// the server takes a second or two to set up.
//
//   LogDbProcess db;                      // or LogDbProcess db({"--rows", "1000000"});
//   QVERIFY2(db.isRunning(), qPrintable(db.errorString()));
//   account.port = db.port();
//   db.sql("delete from terminallog");
//
// The destructor stops the server; should the test program die first, the
// server stops by itself (it watches the program's process).
class LogDbProcess
{
public:
    explicit LogDbProcess(const QStringList &extraArguments = {});
    ~LogDbProcess();
    LogDbProcess(const LogDbProcess &) = delete;
    LogDbProcess &operator=(const LogDbProcess &) = delete;

    bool isRunning() const { return m_port != 0; }
    QString errorString() const { return m_error; }
    quint16 port() const { return m_port; }

    // Runs statements as root on "talkbacklog"; the client's output, or a
    // null string when it failed.
    QString sql(const QString &statements);
    // Stops the server now (and waits until it is gone).
    void stop();

private:
    bool run(const QStringList &arguments, QString *output, int timeoutMs);

    QTemporaryDir m_dir;
    QString m_script;
    QString m_dbDir;
    QString m_error;
    quint16 m_port = 0;
};
