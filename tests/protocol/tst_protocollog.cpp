#include "protocol/ProtocolLog.h"

#include <QtTest>

// What the protocol log shows of a sent request: passwords masked, the rest
// as sent.
class TestProtocolLog : public QObject
{
    Q_OBJECT
private slots:
    void loggedCopy_data();
    void loggedCopy();
};

void TestProtocolLog::loggedCopy_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("logged");
    const QByteArray head = "POST DBP/1.0\r\nCSeq: 9\r\nPacket-Type:ModifyPassWord\r\nContent-Length:55\r\n\r\n";
    QTest::newRow("password change")
        << head + R"({"Name":"admin","NewPassWord":"s3cret","OldPassWord":"admin"})" "\n"
        << head + R"({"Name":"admin","NewPassWord":"***","OldPassWord":"***"})" "\n";
    QTest::newRow("escaped quote inside the password")
        << QByteArray(R"({"PassWord":"a\"b\\","Time":"t"})") << QByteArray(R"({"PassWord":"***","Time":"t"})");
    QTest::newRow("blanks around the colon, any case")
        << QByteArray(R"({ "password" : "x y" , "n":1})") << QByteArray(R"({ "password" : "***" , "n":1})");
    QTest::newRow("number value") << QByteArray(R"({"PassWord":123456,"Id":"4"})")
                                  << QByteArray(R"({"PassWord":***,"Id":"4"})");
    QTest::newRow("the word as a value is no member name")
        << QByteArray(R"({"Name":"PassWord","Note":"a \"PassWord\": b"})")
        << QByteArray(R"({"Name":"PassWord","Note":"a \"PassWord\": b"})");
    QTest::newRow("cut off after the name") << QByteArray(R"({"PassWord":)") << QByteArray(R"({"PassWord":)");
    QTest::newRow("no password") << QByteArray("GET DBP/1.0\r\nCSeq: 4\r\nData: Mic\r\nId: 101\r\n\r\n")
                                 << QByteArray("GET DBP/1.0\r\nCSeq: 4\r\nData: Mic\r\nId: 101\r\n\r\n");
}

void TestProtocolLog::loggedCopy()
{
    QFETCH(QByteArray, sent);
    QTEST(protocolLogCopy(sent), "logged");
}

QTEST_APPLESS_MAIN(TestProtocolLog)
#include "tst_protocollog.moc"
