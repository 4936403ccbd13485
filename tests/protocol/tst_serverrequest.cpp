#include "protocol/OvMsgCheck.h"
#include "protocol/OvServerRequest.h"

#include <QtTest>

class TestServerRequest : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void classify_data();
    void classify();
    void cseqOfText_data();
    void cseqOfText();
    void classifyBody_data();
    void classifyBody();
};

void TestServerRequest::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("cseq");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("subtype");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("bare answer") << QByteArray("DBP/1.0 200 OK\r\nCSeq: 17\r\n\r\n") << 17 << QByteArray()
                                 << QByteArray() << -1 << 0 << QByteArray();
    QTest::newRow("notification without blanks")
        << QByteArray("POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:mic35\r\nContent-Length:2\r\n\r\n[]")
        << -1 << QByteArray("SqlConfig") << QByteArray("mic35") << -1 << 2 << QByteArray("[]");
    QTest::newRow("subtype keeps its blank")
        << QByteArray("POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: mic35\r\n\r\n") << -1
        << QByteArray("SqlConfig") << QByteArray(" mic35") << -1 << 0 << QByteArray();
    QTest::newRow("id and data lines")
        << QByteArray("DELETE DBP/1.0\r\nData: MIC\r\nId: 42\r\n\r\n") << -1 << QByteArray() << QByteArray()
        << 42 << 0 << QByteArray();
    QTest::newRow("earlier key in test order wins within a line")
        << QByteArray("X Packet-Type:A CSeq: 8\r\n\r\n") << 8 << QByteArray() << QByteArray() << -1 << 0
        << QByteArray();
    QTest::newRow("body lines are examined and overwrite")
        << QByteArray("DBP/1.0 200 OK\r\nCSeq: 3\r\nContent-Length:10\r\n\r\nCSeq: 99\r\n") << 99 << QByteArray()
        << QByteArray() << -1 << 10 << QByteArray("CSeq: 99\r\n");
    QTest::newRow("final piece without CRLF is not examined")
        << QByteArray("DBP/1.0 200 OK\r\nCSeq: 3\r\n\r\nCSeq: 99") << 3 << QByteArray() << QByteArray() << -1
        << 0 << QByteArray("CSeq: 99");
    QTest::newRow("terminalId contains Id:")
        << QByteArray("POST DBP/1.0\r\n\"terminalId\":12\r\n\r\n") << -1 << QByteArray() << QByteArray() << -1
        << 0 << QByteArray();
    QTest::newRow("terminalId: counts as Id")
        << QByteArray("POST DBP/1.0\r\nterminalId: 12\r\n\r\n") << -1 << QByteArray() << QByteArray() << 12
        << 0 << QByteArray();
    QTest::newRow("non-numeric values give zero")
        << QByteArray("DBP/1.0 200 OK\r\nCSeq: x\r\nId:\r\nContent-Length: 7a\r\n\r\n") << 0 << QByteArray()
        << QByteArray() << 0 << 7 << QByteArray();
    QTest::newRow("huge numbers are clamped")
        << QByteArray("DBP/1.0 200 OK\r\nCSeq: 99999999999999\r\n\r\n") << 2147483647 << QByteArray()
        << QByteArray() << -1 << 0 << QByteArray();
    QTest::newRow("no header end") << QByteArray("garbage\r\nCSeq: 4\r\n") << 4 << QByteArray() << QByteArray()
                                   << -1 << 0 << QByteArray();
    QTest::newRow("empty") << QByteArray() << -1 << QByteArray() << QByteArray() << -1 << 0 << QByteArray();
}

void TestServerRequest::parse()
{
    QFETCH(QByteArray, text);
    OvServerRequest r;
    r.packetType = "stale";
    r.parse(text);
    QTEST(r.cseq, "cseq");
    QTEST(r.packetType, "type");
    QTEST(r.packetSubtype, "subtype");
    QTEST(r.id, "id");
    QTEST(r.contentLength, "length");
    QTEST(r.body, "body");
}

void TestServerRequest::classify_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("ok") << QByteArray("DBP/1.0 200 OK\r\nCSeq: 1\r\n\r\n") << int(MessageClass::AnswerOk);
    QTest::newRow("failed") << QByteArray("DBP/1.0 400 FAILED\r\nCSeq: 1\r\n\r\n") << int(MessageClass::AnswerFailed);
    QTest::newRow("notification") << QByteArray("POST DBP/1.0\r\n\r\n") << int(MessageClass::Notification);
    QTest::newRow("set") << QByteArray("SET DBP/1.0\r\n\r\n") << int(MessageClass::SetMessage);
    QTest::newRow("delete") << QByteArray("DELETE DBP/1.0\r\n\r\n") << int(MessageClass::DeleteMessage);
    QTest::newRow("ok wins over SET in body")
        << QByteArray("DBP/1.0 200 OK\r\nContent-Length:3\r\n\r\nSET") << int(MessageClass::AnswerOk);
    QTest::newRow("400 Error is no refusal") << QByteArray("DBP/1.0 400 Error\r\nCSeq: 2\r\n\r\n")
                                             << int(MessageClass::Unknown);
    QTest::newRow("400 Error with DELETE later")
        << QByteArray("DBP/1.0 400 Error\r\n\r\nDELETE") << int(MessageClass::DeleteMessage);
    QTest::newRow("case sensitive") << QByteArray("post dbp/1.0\r\n\r\n") << int(MessageClass::Unknown);
    QTest::newRow("empty") << QByteArray() << int(MessageClass::Unknown);
}

void TestServerRequest::classify()
{
    QFETCH(QByteArray, text);
    QTEST(int(::classify(text)), "expected");
}

void TestServerRequest::cseqOfText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("with blank") << QByteArray("ONLINE DBP/1.0\r\nCSeq: 3\r\n\r\n") << 3;
    QTest::newRow("without blank") << QByteArray("GET DBP/1.0\r\nCSeq:44\r\n\r\n") << 44;
    QTest::newRow("first occurrence") << QByteArray("POST DBP/1.0\r\nCSeq: 5\r\n\r\nCSeq: 6\r\n") << 5;
    QTest::newRow("none") << QByteArray("POST DBP/1.0\r\n\r\n") << -1;
}

void TestServerRequest::cseqOfText()
{
    QFETCH(QByteArray, text);
    QTEST(::cseqOfText(text), "expected");
}

void TestServerRequest::classifyBody_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("level list") << QByteArray("<?xml version=\"1.0\"?><LevelList><Level id=\"1\"/></LevelList>") << 37;
    QTest::newRow("level") << QByteArray("<?xml?>\n<Level id=\"1\"/>") << 38;
    QTest::newRow("first table entry") << QByteArray("<?xml?><BroadcastList>") << 0;
    QTest::newRow("last table entry") << QByteArray("<?xml?><MicGroup>") << 51;
    QTest::newRow("name ends at blank") << QByteArray("<?xml?><TaskList a=\"b\">") << 10;
    QTest::newRow("name runs to the end") << QByteArray("<?xml?><Cap") << 3;
    QTest::newRow("no declaration: second element counts")
        << QByteArray("<LevelList><Level/></LevelList>") << 38;
    QTest::newRow("case sensitive") << QByteArray("<?xml?><levellist>") << 52;
    QTest::newRow("unknown name") << QByteArray("<?xml?><Nothing>") << 52;
    QTest::newRow("only one <") << QByteArray("<LevelList") << 52;
    QTest::newRow("no <") << QByteArray("LevelList") << 52;
    QTest::newRow("empty") << QByteArray() << 52;
}

void TestServerRequest::classifyBody()
{
    QFETCH(QByteArray, text);
    QTEST(OvMsgCheck::classifyBody(text), "expected");
}

QTEST_APPLESS_MAIN(TestServerRequest)
#include "tst_serverrequest.moc"
