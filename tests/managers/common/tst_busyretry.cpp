#include "managers/common/BusyRetry.h"
#include "protocol/RequestResult.h"

#include <QtTest>

// The retry of a request while another one is outstanding: it stops at the
// first other result, and a bounded retry gives up reporting busy.
class TestBusyRetry : public QObject
{
    Q_OBJECT
private slots:
    void attempts_data();
    void attempts();
    void limitCoversOneWholeAnswerWait();
};

void TestBusyRetry::attempts_data()
{
    QTest::addColumn<int>("busyFor");   // attempts answered busy before another result
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<int>("result");
    QTest::newRow("done at once") << 0 << 5 << 1 << int(Done);
    QTest::newRow("busy twice, then done") << 2 << 5 << 3 << int(Done);
    QTest::newRow("always busy, bounded") << 1000 << 5 << 5 << int(Busy);
    QTest::newRow("unbounded waits it out") << 12 << 0 << 13 << int(Done);
}

void TestBusyRetry::attempts()
{
    QFETCH(int, busyFor);
    QFETCH(int, limit);
    QFETCH(int, attempts);
    QFETCH(int, result);
    int made = 0;
    const int got = retryWhileBusy([&] { return made++ < busyFor ? int(Busy) : int(Done); }, 0, limit);
    QCOMPARE(made, attempts);
    QCOMPARE(got, result);
}

void TestBusyRetry::limitCoversOneWholeAnswerWait()
{
    // A request waits at most 3 s for its answer; the bound must outlast it.
    QVERIFY(busyAttemptLimit(kListPauseMs) * kListPauseMs >= 3000);
    QVERIFY(busyAttemptLimit(kEditPauseMs) * kEditPauseMs >= 3000);
    QCOMPARE(busyAttemptLimit(0), 1);
}

QTEST_GUILESS_MAIN(TestBusyRetry)
#include "tst_busyretry.moc"
