// The simulator's own rules, without a network: login digest, request framing,
// the read-only guard of list queries and the JSON written for rows.
#include "commands/LoginVerifier.h"
#include "db/InstallationGenerator.h"
#include "db/SimDatabase.h"
#include "db/TableRegistry.h"
#include "wire/DbpFramer.h"
#include "wire/DbpMessage.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestSimRules : public QObject
{
    Q_OBJECT
private slots:
    void hmacMatchesRfc2202_data();
    void hmacMatchesRfc2202();
    void loginChecksDigestOfStoredPassword_data();
    void loginChecksDigestOfStoredPassword();

    void framesSplitAndMergedRequests();
    void framesEveryTruncation();
    void rejectsBrokenFraming_data();
    void rejectsBrokenFraming();
    void parsesHeadersWithAndWithoutBlank();

    void listGuardAllowsOnlyOneReadOnlyQuery_data();
    void listGuardAllowsOnlyOneReadOnlyQuery();
    void rowsAreArraysOfStringObjects();
    void listBoundRefusesInsteadOfCutting();
    void everyRegisteredTableHasItsKeyColumn();
    void generatedTerminalsCarryTheSampleTypeTexts_data();
    void generatedTerminalsCarryTheSampleTypeTexts();
};

void TestSimRules::hmacMatchesRfc2202_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("digest");
    QTest::newRow("case 1") << QByteArray(20, '\x0b') << QByteArray("Hi There")
                            << QByteArray("b617318655057264e28bc0b6fb378c8ef146be00");
    QTest::newRow("case 2") << QByteArray("Jefe") << QByteArray("what do ya want for nothing?")
                            << QByteArray("effcdf6ae5eb2fa2d27416d5f184df9c259a7c79");
    QTest::newRow("case 3") << QByteArray(20, '\xaa') << QByteArray(50, '\xdd')
                            << QByteArray("125d7342b9ac11cd91a39af48aa17b4f63f175d3");
    QTest::newRow("case 6 key longer than block")
        << QByteArray(80, '\xaa') << QByteArray("Test Using Larger Than Block-Size Key - Hash Key First")
        << QByteArray("aa4ae5e15272d00e95705637ce8a3b55ed402112");
    QTest::newRow("case 7 long key and data")
        << QByteArray(80, '\xaa')
        << QByteArray("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data")
        << QByteArray("e8e99d0f45237d786d6bbaa7965c7808bbff1a91");
}

void TestSimRules::hmacMatchesRfc2202()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, digest);
    QCOMPARE(LoginVerifier::hmacSha1Hex(key, data), digest);
}

void TestSimRules::loginChecksDigestOfStoredPassword_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("messagePassword");
    QTest::addColumn<bool>("upperHex");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("right password") << QByteArray("admin") << QByteArray("admin") << QByteArray("admin") << false << true;
    QTest::newRow("upper-case hex") << QByteArray("admin") << QByteArray("admin") << QByteArray("admin") << true << true;
    QTest::newRow("chinese user") << QByteArray("值班员") << QByteArray("888888") << QByteArray("888888") << false << true;
    QTest::newRow("wrong key") << QByteArray("admin") << QByteArray("admim") << QByteArray("admin") << false << false;
    QTest::newRow("wrong text") << QByteArray("admin") << QByteArray("admin") << QByteArray("secret") << false << false;
    QTest::newRow("unknown user") << QByteArray("nobody") << QByteArray("admin") << QByteArray("admin") << false << false;
}

void TestSimRules::loginChecksDigestOfStoredPassword()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, messagePassword);
    QFETCH(bool, upperHex);
    QFETCH(bool, accepted);
    SimDatabase db;
    QString error;
    QVERIFY2(db.open(QString(), &error), qPrintable(error));
    QVERIFY(db.execScript("insert into users(name, password) values('admin', 'admin'), ('值班员', '888888');", &error));
    const QByteArray time = "2024-06-01 08:30:00";
    QByteArray digest = LoginVerifier::hmacSha1Hex(key, "Name$" + user + "$PassWord$" + messagePassword + "$Time$" + time);
    if (upperHex)
        digest = digest.toUpper();
    const QByteArray body = "{\"Name\":\"" + user + "\",\"PassWord\":\"" + digest + "\",\"Time\":\"" + time + "\"}\n";
    const LoginVerifier::Outcome o = LoginVerifier::verify(db, body);
    QCOMPARE(o.ok, accepted);
}

void TestSimRules::framesSplitAndMergedRequests()
{
    const QByteArray a = "ONLINE DBP/1.0\r\nCSeq: 3\r\n\r\n";
    const QByteArray b = "POST DBP/1.0\r\nCSeq: 4\r\nPacket-Type:IpAmpPower\r\nContent-Length: 24\r\n\r\n"
                         "{\"Id\":\"12\",\"Power\":\"1\"}\n";
    const QByteArray c = "GET DBP/1.0\r\nCSeq:5\r\nPacket-Type:GetSystemTime\r\nContent-Length:0\r\n\r\n";
    QByteArray stream = a + b + c.left(10);

    FrameResult r = frameRequest(stream);
    QCOMPARE(r.status, FrameResult::Complete);
    QCOMPARE(r.size, a.size());
    stream.remove(0, r.size);
    r = frameRequest(stream);
    QCOMPARE(r.status, FrameResult::Complete);
    QCOMPARE(r.size, b.size());
    const DbpMessage m = DbpMessage::parse(stream.left(r.size));
    QCOMPARE(m.verb(), QByteArray("POST"));
    QCOMPARE(m.cseq(), 4);
    QCOMPARE(m.key(), QByteArray("IpAmpPower"));
    QCOMPARE(m.body(), QByteArray("{\"Id\":\"12\",\"Power\":\"1\"}\n"));
    stream.remove(0, r.size);
    QCOMPARE(frameRequest(stream).status, FrameResult::Incomplete);
    stream += c.mid(10);
    r = frameRequest(stream);
    QCOMPARE(r.status, FrameResult::Complete);
    QCOMPARE(DbpMessage::parse(stream.left(r.size)).cseq(), 5);
}

void TestSimRules::framesEveryTruncation()
{
    const QByteArray m = "POST DBP/1.0\r\nCSeq: 9\r\nPacket-Type:TTs83Name\r\nContent-Length:29\r\n\r\n"
                         "{\"Id\":\"601\",\"Name\":\"\xe5\xa4\xa7\xe5\x8e\x85\"}\n";
    for (int n = 0; n < m.size(); ++n)
        QVERIFY2(frameRequest(m.left(n)).status == FrameResult::Incomplete, qPrintable(QString::number(n)));
    const FrameResult r = frameRequest(m + "ONLINE");
    QCOMPARE(r.status, FrameResult::Complete);
    QCOMPARE(r.size, m.size());
}

void TestSimRules::rejectsBrokenFraming_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::newRow("non-numeric length") << QByteArray("POST DBP/1.0\r\nCSeq: 1\r\nContent-Length:abc\r\n\r\n");
    QTest::newRow("negative length") << QByteArray("POST DBP/1.0\r\nCSeq: 1\r\nContent-Length:-5\r\n\r\n");
    QTest::newRow("length over cap") << QByteArray("POST DBP/1.0\r\nCSeq: 1\r\nContent-Length:2147483647\r\n\r\n");
    QTest::newRow("endless header") << QByteArray("POST DBP/1.0\r\n") + QByteArray(70 * 1024, 'x');
}

void TestSimRules::rejectsBrokenFraming()
{
    QFETCH(QByteArray, stream);
    QCOMPARE(frameRequest(stream).status, FrameResult::Bad);
}

void TestSimRules::parsesHeadersWithAndWithoutBlank()
{
    const DbpMessage m = DbpMessage::parse("GET DBP/1.0\r\nCSeq: 12\r\nPacket-Type:SqlConfig\r\n"
                                           "Packet-Subtype: TerminalList\r\nContent-Length:19\r\n\r\n"
                                           "select * from ipamp");
    QCOMPARE(m.cseq(), 12);
    QCOMPARE(m.header("Packet-Type"), QByteArray("SqlConfig"));
    QCOMPARE(m.header("Packet-Subtype"), QByteArray("TerminalList"));
    QCOMPARE(m.body(), QByteArray("select * from ipamp"));
    QCOMPARE(DbpMessage::parse("GET DBP/1.0\r\nCSeq:7\r\n\r\n").cseq(), 7);
}

void TestSimRules::listGuardAllowsOnlyOneReadOnlyQuery_data()
{
    QTest::addColumn<QByteArray>("sql");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("select") << QByteArray("select * from ipamp") << true;
    QTest::newRow("select with semicolon") << QByteArray("select terminalId from ipamp;\n") << true;
    QTest::newRow("union") << QByteArray("select terminalId,name,type,exten from mic26 union select terminalId,name,"
                                         "type,exten from ipamp order by terminalId") << true;
    QTest::newRow("insert") << QByteArray("insert into ipamp(terminalId) values(99)") << false;
    QTest::newRow("update") << QByteArray("update ipamp set name = 'x'") << false;
    QTest::newRow("delete") << QByteArray("delete from ipamp") << false;
    QTest::newRow("drop") << QByteArray("drop table ipamp") << false;
    QTest::newRow("second statement") << QByteArray("select 1; delete from ipamp") << false;
    QTest::newRow("pragma") << QByteArray("pragma query_only = 0") << false;
    QTest::newRow("attach") << QByteArray("attach database '/tmp/x.db' as x") << false;
    QTest::newRow("begin") << QByteArray("begin") << false;
    QTest::newRow("cte with delete") << QByteArray("with t as (select 1) delete from ipamp") << false;
    QTest::newRow("empty") << QByteArray("  ") << false;
}

void TestSimRules::listGuardAllowsOnlyOneReadOnlyQuery()
{
    QFETCH(QByteArray, sql);
    QFETCH(bool, allowed);
    SimDatabase db;
    QString error;
    QVERIFY(db.open(QString(), &error));
    QVERIFY(db.execScript("insert into ipamp(terminalId, name) values(1, 'a');", &error));
    const JsonRows::Result r = db.readOnlyQuery(sql, {});
    QCOMPARE(r.ok, allowed);
    QCOMPARE(db.count("ipamp"), qint64(1));
}

void TestSimRules::rowsAreArraysOfStringObjects()
{
    SimDatabase db;
    QString error;
    QVERIFY(db.open(QString(), &error));
    const QString awkward = QStringLiteral("走廊 \"A\"\\\n\t\x01 end");
    QVERIFY(db.exec("insert into tts83(terminalId, status, name) values(?, ?, ?)", {601, 2, awkward}, &error) == 1);
    const JsonRows::Result r = db.readOnlyQuery("select terminalId, status, name, 1.5 as f, null as n from tts83", {});
    QVERIFY(r.ok);
    QJsonParseError pe{};
    const QJsonDocument doc = QJsonDocument::fromJson(r.joined(), &pe);
    QVERIFY2(doc.isArray(), qPrintable(pe.errorString()));
    QCOMPARE(doc.array().size(), 1);
    const QJsonObject row = doc.array().at(0).toObject();
    QCOMPARE(row.value("terminalId"), QJsonValue("601"));
    QCOMPARE(row.value("status"), QJsonValue("2"));
    QCOMPARE(row.value("name"), QJsonValue(awkward));
    QCOMPARE(row.value("f"), QJsonValue("1.5"));
    QCOMPARE(row.value("n"), QJsonValue(""));
    QVERIFY(!r.joined().contains("\r\n"));
}

void TestSimRules::listBoundRefusesInsteadOfCutting()
{
    SimDatabase db;
    QString error;
    QVERIFY(db.open(QString(), &error));
    QVERIFY(db.execScript("insert into m37(terminalId) values(1),(2),(3);", &error));
    QVERIFY(db.readOnlyQuery("select * from m37", {3, 0}).ok);
    const JsonRows::Result rows = db.readOnlyQuery("select * from m37", {2, 0});
    QVERIFY(!rows.ok);
    QVERIFY(rows.error.contains("2 rows"));
    QVERIFY(!db.readOnlyQuery("select * from m37", {0, 100}).ok);
}

void TestSimRules::everyRegisteredTableHasItsKeyColumn()
{
    SimDatabase db;
    QString error;
    QVERIFY(db.open(QString(), &error));
    QSet<QByteArray> subtypes, deleteTypes;
    for (const TableRegistry::Table &t : TableRegistry::tables()) {
        const QByteArray what = t.name + "." + t.keyColumn;
        QVERIFY2(db.value("select 1 from pragma_table_info('" + t.name + "') where name = ?", {QString(t.keyColumn)}),
                 what.constData());
        QVERIFY2(t.subtype == t.name.toLower(), what.constData());
        QVERIFY2(!subtypes.contains(t.subtype), what.constData());
        subtypes.insert(t.subtype);
        // Removing a terminal must be reported; the console finds the family by this type.
        QVERIFY2(t.kind != TableRegistry::Kind::Terminal || !t.deleteType.isEmpty(), what.constData());
        QVERIFY2(t.deleteType.isEmpty() || !deleteTypes.contains(t.deleteType), what.constData());
        deleteTypes.insert(t.deleteType);
        QCOMPARE(TableRegistry::find(t.name.toUpper()), &t);
    }
    QVERIFY(!TableRegistry::find("users"));
}

void TestSimRules::generatedTerminalsCarryTheSampleTypeTexts_data()
{
    QTest::addColumn<QByteArray>("table");
    for (const TableRegistry::Table *t : TableRegistry::ofKind(TableRegistry::Kind::Terminal))
        QTest::newRow(t->name.constData()) << t->name;
}

void TestSimRules::generatedTerminalsCarryTheSampleTypeTexts()
{
    QFETCH(QByteArray, table);
    QFile file(QStringLiteral(TALKBACK_SIM_SAMPLE_SQL));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    SimDatabase sample, generated;
    QString error;
    QVERIFY(sample.open(QString(), &error) && generated.open(QString(), &error));
    QVERIFY2(sample.execScript(file.readAll(), &error), qPrintable(error));
    QVERIFY2(InstallationGenerator::generate(generated, 400, &error), qPrintable(error));
    const QByteArray types = "select group_concat(type, ' ') from (select distinct type from \"" + table
        + "\" order by type)";
    const QByteArray expected = sample.value(types, {}).value_or("?");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(generated.value(types, {}).value_or("?"), expected);
    QCOMPARE(generated.count(table), table == "ipamp" ? qint64(400) : qint64(4));
}

QTEST_GUILESS_MAIN(TestSimRules)
#include "tst_sim_rules.moc"
