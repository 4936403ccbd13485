#include "AppTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

// The console as the operator starts it: its own process, its own directory.
class TestConsoleProcess : public QObject
{
    Q_OBJECT
private slots:
    void help()
    {
        QProcess console;
        console.start(QStringLiteral(TALKBACK_CONSOLE), {QStringLiteral("--help")});
        QVERIFY(console.waitForFinished(20000));
        QCOMPARE(console.exitCode(), 0);
        const QByteArray out = console.readAllStandardOutput();
        for (const char *option : {"-serverip", "-user", "-password", "-max", "ServerPort"})
            QVERIFY2(out.contains(option), option);
    }

    void unreachableServerExitsWithoutWindow()
    {
        QTemporaryDir dir;
        writeConfig(dir, settingsFor(closedPort()));
        QProcess console;
        console.setWorkingDirectory(dir.path());
        QElapsedTimer elapsed;
        elapsed.start();
        console.start(QStringLiteral(TALKBACK_CONSOLE),
                      {"-serverip", "127.0.0.1", "-user", "admin", "-password", "admin"});
        // A modal message would keep the process waiting for an operator.
        QVERIFY2(console.waitForFinished(30000), "the console did not exit by itself");
        QCOMPARE(console.exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.exitCode(), 1);
        QVERIFY(elapsed.elapsed() < 20000);
    }
};

QTEST_GUILESS_MAIN(TestConsoleProcess)
#include "tst_console_process.moc"
