#include "protocol/OvCommandRequest.h"

#include <QtTest>

// Every request text the console writes, byte for byte.
class TestCommandRequest : public QObject
{
    Q_OBJECT
private slots:
    void builders_data();
    void builders();
    void reusedBuilderStartsAfresh();
};

void TestCommandRequest::builders_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");

    OvCommandRequest r;
    QTest::newRow("online cseq 3") << r.buildOnline(3) << QByteArray("ONLINE DBP/1.0\r\nCSeq: 3\r\n\r\n");
    QTest::newRow("post 40-byte body")
        << r.buildPost(12, "IpAmpSet", QByteArray(40, 'x'))
        << QByteArray("POST DBP/1.0\r\nCSeq: 12\r\nPacket-Type:IpAmpSet\r\nContent-Length:40\r\n\r\n")
               + QByteArray(40, 'x');
    QTest::newRow("post empty body")
        << r.buildPost(1, "RemoveDevice", QByteArray())
        << QByteArray("POST DBP/1.0\r\nCSeq: 1\r\nPacket-Type:RemoveDevice\r\nContent-Length:0\r\n\r\n");
    QTest::newRow("login")
        << r.buildLogin(7, "TalkManagerLogin", "{\"a\":\"b\"}\n")
        << QByteArray("LOGIN DBP/1.0\r\nCSeq: 7\r\nPacket-Type:TalkManagerLogin\r\nContent-Length:10\r\n\r\n{\"a\":\"b\"}\n");
    QTest::newRow("sql config")
        << r.buildSqlConfig(99, "ipamp", "select * from ipamp")
        << QByteArray("GET DBP/1.0\r\nCSeq: 99\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: ipamp\r\n"
                      "Content-Length:19\r\n\r\nselect * from ipamp");
    QTest::newRow("type and subtype")
        << r.buildTypeAndSubtype(5, "SqlLog", "q")
        << QByteArray("GET DBP/1.0\r\nCSeq: 5\r\nPacket-Type:SqlLog\r\nPacket-Subtype: SqlLog\r\n"
                      "Content-Length:1\r\n\r\nq");
    QTest::newRow("data id")
        << r.buildDataId(8, "MicInfo", 1203)
        << QByteArray("GET DBP/1.0\r\nCSeq: 8\r\nData: MicInfo\r\nId: 1203\r\n\r\n");
    QTest::newRow("play term config")
        << r.buildPlayTermConfig(21, 300, 70, 55, 90)
        << QByteArray("SET DBP/1.0\r\nCommand: PlayTermConfig\r\nCSeq: 21\r\nId: 300\r\nType: IP\r\n"
                      "WarnTempThreshold: 70\r\nFanTempThreshold: 55\r\nMaxVol: 90\r\n\r\n");
    QTest::newRow("utf8 body counts bytes")
        << r.buildPost(2, "IpAmpSet", QStringLiteral("{\"name\":\"大厅\"}\n").toUtf8())
        << QByteArray("POST DBP/1.0\r\nCSeq: 2\r\nPacket-Type:IpAmpSet\r\nContent-Length:18\r\n\r\n")
               + QStringLiteral("{\"name\":\"大厅\"}\n").toUtf8();
    QTest::newRow("get system time")
        << OvCommandRequest::buildGetSystemTime(4)
        << QByteArray("GET DBP/1.0\r\nCSeq:4\r\nPacket-Type:GetSystemTime\r\nContent-Length:0\r\n\r\n");
}

void TestCommandRequest::builders()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void TestCommandRequest::reusedBuilderStartsAfresh()
{
    OvCommandRequest r;
    r.buildPost(1, "A", "long body that must not leak into the next text");
    const QByteArray online = r.buildOnline(3);
    QCOMPARE(online.size(), 27);
    QCOMPARE(online, QByteArray("ONLINE DBP/1.0\r\nCSeq: 3\r\n\r\n"));
}

QTEST_APPLESS_MAIN(TestCommandRequest)
#include "tst_commandrequest.moc"
