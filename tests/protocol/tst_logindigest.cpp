#include "protocol/LoginDigest.h"

#include <QtTest>

class TestLoginDigest : public QObject
{
    Q_OBJECT
private slots:
    void rfc2202_data();
    void rfc2202();
    void loginBody_data();
    void loginBody();
    void timeText();
};

void TestLoginDigest::rfc2202_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("digest");
    QTest::newRow("1") << QByteArray(20, '\x0b') << QByteArray("Hi There")
                       << QByteArray("b617318655057264e28bc0b6fb378c8ef146be00");
    QTest::newRow("2") << QByteArray("Jefe") << QByteArray("what do ya want for nothing?")
                       << QByteArray("effcdf6ae5eb2fa2d27416d5f184df9c259a7c79");
    QTest::newRow("3") << QByteArray(20, '\xaa') << QByteArray(50, '\xdd')
                       << QByteArray("125d7342b9ac11cd91a39af48aa17b4f63f175d3");
    QTest::newRow("6 key over a block") << QByteArray(80, '\xaa')
                                        << QByteArray("Test Using Larger Than Block-Size Key - Hash Key First")
                                        << QByteArray("aa4ae5e15272d00e95705637ce8a3b55ed402112");
    QTest::newRow("7 key and data over a block")
        << QByteArray(80, '\xaa')
        << QByteArray("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data")
        << QByteArray("e8e99d0f45237d786d6bbaa7965c7808bbff1a91");
}

void TestLoginDigest::rfc2202()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, data);
    QTEST(logindigest::hmacSha1Hex(key, data), "digest");
}

void TestLoginDigest::loginBody_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("admin")
        << QByteArray("admin") << QByteArray("admin") << QByteArray("2026-12-10 10:30:00")
        << QByteArray("{\"Name\":\"admin\",\"PassWord\":\"ba26d079baa093d744d77111eab28ad66f836038\","
                      "\"Time\":\"2026-12-10 10:30:00\"}\n");
    // Longer than the 63 bytes the login text once had to fit in.
    QTest::newRow("long chinese name")
        << QStringLiteral("操作员一号").toUtf8() << QByteArray("abcdefghijklmnopqrstuvwxyz0123456789")
        << QByteArray("2026-01-02 03:04:05")
        << (QStringLiteral("{\"Name\":\"操作员一号\",").toUtf8()
            + "\"PassWord\":\"81a7797397c1ca723157cbb3e112012cbce3946d\",\"Time\":\"2026-01-02 03:04:05\"}\n");
}

void TestLoginDigest::loginBody()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, time);
    const QByteArray built = logindigest::loginBody(user, password, time);
    QTEST(built, "body");
    QVERIFY(!built.contains("\"PassWord\":\"" + password + "\""));
}

void TestLoginDigest::timeText()
{
    const QDateTime t(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::LocalTime);
    QCOMPARE(logindigest::timeText(t), QByteArray("2026-03-04 05:06:07"));
}

QTEST_APPLESS_MAIN(TestLoginDigest)
#include "tst_logindigest.moc"
