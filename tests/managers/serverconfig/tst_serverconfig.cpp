#include "managers/serverconfig/OvServerConfigManage.h"
#include "managers/serverconfig/SettingChecks.h"

#include <QtTest>

// The request texts, the answers and the checks of the server settings,
// without a server.
class TestServerConfig : public QObject
{
    Q_OBJECT
private slots:
    void requestTexts_data();
    void requestTexts();
    void unknownCodesBuildNothing();
    void parameterAnswers_data();
    void parameterAnswers();
    void answersOnlyOfOwnCodes();
    void backupAnswerAndRefusal();
    void lateBackupAnswerTakenOnce();
    void restoreChecks_data();
    void restoreChecks();
    void vadTimeouts_data();
    void vadTimeouts();
    void addresses_data();
    void addresses();
    void digests_data();
    void digests();
    void serverFileNames_data();
    void serverFileNames();
    void backupFileName();
};

void TestServerConfig::requestTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("text1");
    QTest::addColumn<QByteArray>("text2");
    QTest::addColumn<QByteArray>("expected");
    auto post = [](const QByteArray &type, const QByteArray &body) {
        return "POST DBP/1.0\r\nCSeq: 7\r\nPacket-Type:" + type + "\r\nContent-Length:"
            + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    };
    auto get = [](const QByteArray &subtype, const QByteArray &body) {
        return "GET DBP/1.0\r\nCSeq: 7\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: " + subtype + "\r\nContent-Length:"
            + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    };
    QTest::newRow("174 parameter list") << 174 << QByteArray() << QByteArray()
                                        << get("SystemParameter", "select * from parameter");
    QTest::newRow("178 log server") << 178 << QByteArray() << QByteArray()
                                    << get("TbLogServer", "select value from parameter where name = 'Talk_Log_Server'");
    QTest::newRow("173 system name") << 173 << QByteArray("校园广播") << QByteArray()
                                     << post("SystemParameter",
                                             "{\"Action\":\"Mod\",\"Name\":\"System_Name\",\"Value\":\"校园广播\"}\n");
    QTest::newRow("176 record server") << 176 << QByteArray("192.168.1.20:7801") << QByteArray()
                                       << post("SystemParameter", "{\"Action\":\"Mod\",\"Name\":\"Record_Server\","
                                                                  "\"Value\":\"192.168.1.20:7801\"}\n");
    QTest::newRow("177 time-out") << 177 << QByteArray("300") << QByteArray()
                                  << post("SystemParameter",
                                          "{\"Action\":\"Mod\",\"Name\":\"Vad_Ptt_Time_Out\",\"Value\":\"300\"}\n");
    QTest::newRow("179 talk-log server") << 179 << QByteArray("10.0.0.5:7802") << QByteArray()
                                         << post("SystemParameter", "{\"Action\":\"Mod\",\"Name\":\"Talk_Log_Server\","
                                                                    "\"Value\":\"10.0.0.5:7802\"}\n");
    QTest::newRow("180 admin password") << 180 << QByteArray("abc123") << QByteArray()
                                        << post("ModTalkManagerInfo",
                                                "{\"Action\":\"Mod\",\"Name\":\"admin\",\"PassWord\":\"abc123\"}\n");
    QTest::newRow("181 backup") << 181 << QByteArray("OVN_2021-03-04.backup") << QByteArray()
                                << post("DataBackup", "{\"BackupFile\":\"OVN_2021-03-04.backup\"}\n");
    QTest::newRow("182 recovery") << 182 << QByteArray("OVN_2021-03-04.backup")
                                  << QByteArray("0123456789abcdef0123456789abcdef")
                                  << post("DataRecovery", "{\"Md5\":\"0123456789abcdef0123456789abcdef\","
                                                          "\"RecoveryFile\":\"OVN_2021-03-04.backup\"}\n");
    QTest::newRow("value with a quote is escaped")
        << 173 << QByteArray("a\"b") << QByteArray()
        << post("SystemParameter", "{\"Action\":\"Mod\",\"Name\":\"System_Name\",\"Value\":\"a\\\"b\"}\n");
}

void TestServerConfig::requestTexts()
{
    QFETCH(int, code);
    QFETCH(QByteArray, text1);
    QFETCH(QByteArray, text2);
    QFETCH(QByteArray, expected);
    OvServerConfigManage m;
    const QByteArray text = (code == 174 || code == 178) ? m.buildQuery(7, code) : m.buildChange(7, {code, text1, text2});
    QCOMPARE(text, expected);
}

void TestServerConfig::unknownCodesBuildNothing()
{
    OvServerConfigManage m;
    QVERIFY(m.buildQuery(1, 173).isEmpty());
    QVERIFY(m.buildChange(1, {174, "x", ""}).isEmpty());
    QVERIFY(m.buildChange(1, {175, "x", ""}).isEmpty());
    QVERIFY(m.buildChange(1, {183, "x", ""}).isEmpty());
}

void TestServerConfig::parameterAnswers_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("called");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QList<int>>("kinds");
    QTest::newRow("every kind and an unknown name")
        << QByteArray("[{\"name\":\"Record_Server\",\"value\":\"1.2.3.4:7801\"},{\"name\":\"Talk_Log_Server\",\"value\":"
                      "\"1.2.3.4:7802\"},{\"name\":\"Vad_Ptt_Time_Out\",\"value\":\"600\"},{\"name\":\"System_Name\","
                      "\"value\":\"校园\"},{\"name\":\"Max_Record_Days\",\"value\":\"30\"}]")
        << true << QStringList{"Record_Server", "Talk_Log_Server", "Vad_Ptt_Time_Out", "System_Name", "Max_Record_Days"}
        << QStringList{"1.2.3.4:7801", "1.2.3.4:7802", "600", "校园", "30"} << QList<int>{0, 1, 2, 4, 5};
    QTest::newRow("names compared whole and by case")
        << QByteArray("[{\"name\":\"record_server\",\"value\":\"a\"},{\"name\":\"System_Name \",\"value\":\"b\"}]") << true
        << QStringList{"record_server", "System_Name "} << QStringList{"a", "b"} << QList<int>{5, 5};
    QTest::newRow("missing members read empty")
        << QByteArray("[{\"value\":\"7.7.7.7:1\"},{\"name\":\"System_Name\"}]") << true
        << QStringList{"", "System_Name"} << QStringList{"7.7.7.7:1", ""} << QList<int>{5, 4};
    QTest::newRow("empty array still reported") << QByteArray("[]") << true << QStringList{} << QStringList{}
                                                << QList<int>{};
    QTest::newRow("not JSON reports nothing") << QByteArray("[{\"name\":") << false << QStringList{} << QStringList{}
                                              << QList<int>{};
}

void TestServerConfig::parameterAnswers()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, called);
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    QFETCH(QList<int>, kinds);
    OvServerConfigManage m;
    QList<ConfigResult> seen;
    m.setResultCallback([&seen](const ConfigResult &r) {
        seen << r;
        return 0;
    });
    m.onOk(174, body);
    QCOMPARE(seen.size(), called ? 1 : 0);
    if (!called)
        return;
    QCOMPARE(seen[0].code, 174);
    QCOMPARE(int(seen[0].parameters.size()), names.size());
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(QString::fromUtf8(seen[0].parameters[size_t(i)].name), names[i]);
        QCOMPARE(QString::fromUtf8(seen[0].parameters[size_t(i)].value), values[i]);
        QCOMPARE(seen[0].parameters[size_t(i)].kind, kinds[i]);
    }
}

void TestServerConfig::answersOnlyOfOwnCodes()
{
    OvServerConfigManage m;
    int calls = 0;
    m.setResultCallback([&calls](const ConfigResult &) { return ++calls, 0; });
    const QByteArray rows = "[{\"name\":\"System_Name\",\"value\":\"x\"}]";
    for (int code : {1, 161, 173, 176, 177, 179, 180, 182, 187, 254})
        m.onOk(code, rows);
    QCOMPARE(calls, 0);
    m.onError(5, "refused");
    m.onError(300, "refused");
    QCOMPARE(calls, 0);
    m.onOk(178, "[{\"value\":\"192.168.1.20:\"}]");
    QCOMPARE(calls, 1);
}

void TestServerConfig::backupAnswerAndRefusal()
{
    OvServerConfigManage m;
    QList<ConfigResult> seen;
    m.setResultCallback([&seen](const ConfigResult &r) { return seen << r, 0; });
    m.onOk(181, "{\"BackupFile\":\"OVN_2021-03-04.backup\"}\n");
    QCOMPARE(seen.size(), 1);
    QVERIFY(seen[0].ok);
    QCOMPARE(seen[0].record.name, QByteArray("OVN_2021-03-04.backup"));
    QCOMPARE(seen[0].record.value, QByteArray());
    QCOMPARE(seen[0].record.kind, int(ServerParameter::BackupAnswer));
    m.onError(181, "disk full");
    QCOMPARE(seen.size(), 2);
    QVERIFY(!seen[1].ok);
    QCOMPARE(seen[1].reason, QByteArray("disk full"));
    m.onError(176, "Value must be address:port\r\n");
    QCOMPARE(seen[2].reason, QByteArray("Value must be address:port"));
}

void TestServerConfig::lateBackupAnswerTakenOnce()
{
    OvServerConfigManage m;
    QList<ConfigResult> seen;
    m.setResultCallback([&seen](const ConfigResult &r) { return seen << r, 0; });
    QVERIFY(!m.onLateAnswer(12, true, "{}"));
    m.buildChange(12, {181, "OVN_x.backup", ""});
    QVERIFY(m.awaitingBackupAnswer());
    QVERIFY(!m.onLateAnswer(11, true, "{\"BackupFile\":\"b\",\"Md5\":\"c\"}"));
    QVERIFY(m.onLateAnswer(12, true, "{\"BackupFile\":\"b\",\"Md5\":\"c\"}"));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].record.value, QByteArray("c"));
    QVERIFY(!m.onLateAnswer(12, true, "{\"BackupFile\":\"b\",\"Md5\":\"c\"}"));
    m.buildChange(13, {181, "OVN_x.backup", ""});
    m.forgetBackupAnswer();
    QVERIFY(!m.onLateAnswer(13, false, "late refusal"));
    QCOMPARE(seen.size(), 1);
}

void TestServerConfig::restoreChecks_data()
{
    using settingchecks::RestoreCheck;
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("expected");
    const QString c42 = QString(42, QChar(0x6570)); // 42 Chinese characters, 126 bytes
    QTest::newRow("128 bytes") << QString(124, 'a') + ".bak" << qint64(10) << int(RestoreCheck::Ok);
    QTest::newRow("129 bytes") << QString(125, 'a') + ".bak" << qint64(10) << int(RestoreCheck::NameTooLong);
    QTest::newRow("Chinese 126+2 bytes") << c42 + "ab" << qint64(10) << int(RestoreCheck::Ok);
    QTest::newRow("Chinese 129 bytes in 43 characters") << c42 + QChar(0x636E) << qint64(10)
                                                        << int(RestoreCheck::NameTooLong);
    QTest::newRow("exactly 1024 MiB") << "OVN_2021-03-04.backup" << qint64(1073741824) << int(RestoreCheck::Ok);
    QTest::newRow("one byte more") << "OVN_2021-03-04.backup" << qint64(1073741825) << int(RestoreCheck::TooLarge);
    QTest::newRow("unreadable") << "OVN_2021-03-04.backup" << qint64(-1) << int(RestoreCheck::Unreadable);
    const QString forbidden = QStringLiteral("\"/\\:*?<>|'&");
    for (const QChar c : forbidden) {
        QTest::newRow(qPrintable(QStringLiteral("forbidden %1 (0x%2)").arg(c).arg(c.unicode(), 0, 16)))
            << QStringLiteral("OVN%1x.backup").arg(c) << qint64(10) << int(RestoreCheck::ForbiddenCharacter);
    }
    QTest::newRow("blank and Chinese allowed") << QStringLiteral("备份 文件.backup") << qint64(10)
                                               << int(RestoreCheck::Ok);
}

void TestServerConfig::restoreChecks()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(int, expected);
    QCOMPARE(int(settingchecks::checkRestore(name, size)), expected);
}

void TestServerConfig::vadTimeouts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("300") << "300" << true << 300;
    QTest::newRow("299") << "299" << true << 299;
    QTest::newRow("blanks around") << " 600 " << true << 600;
    QTest::newRow("300s") << "300s" << false << 0;
    QTest::newRow("abc") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign") << "+300" << false << 0;
    QTest::newRow("negative") << "-300" << false << 0;
    QTest::newRow("largest int") << "2147483647" << true << 2147483647;
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("far overflow") << "99999999999999999999" << false << 0;
}

void TestServerConfig::vadTimeouts()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto v = settingchecks::vadTimeout(text);
    QCOMPARE(bool(v), valid);
    if (valid)
        QCOMPARE(*v, value);
}

void TestServerConfig::addresses_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("hostOk");
    QTest::addColumn<int>("portResult"); // -1: refused
    QTest::newRow("IPv4 and port") << "192.168.1.20" << "7801" << true << 7801;
    QTest::newRow("host name, empty port gives default") << "rec-server.local" << "" << true << 9999;
    QTest::newRow("empty address") << "" << "7801" << false << 7801;
    QTest::newRow("port 0") << "10.0.0.1" << "0" << true << -1;
    QTest::newRow("port 1") << "10.0.0.1" << "1" << true << 1;
    QTest::newRow("port 65535") << "10.0.0.1" << "65535" << true << 65535;
    QTest::newRow("port 65536") << "10.0.0.1" << "65536" << true << -1;
    QTest::newRow("port with text") << "10.0.0.1" << "80a" << true << -1;
    QTest::newRow("octet 256") << "10.0.0.256" << "1" << false << 1;
    QTest::newRow("three octets") << "10.0.1" << "1" << false << 1;
    QTest::newRow("colon in address") << "10.0.0.1:80" << "1" << false << 1;
    QTest::newRow("blank inside") << "my host" << "1" << false << 1;
}

void TestServerConfig::addresses()
{
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(bool, hostOk);
    QFETCH(int, portResult);
    QCOMPARE(settingchecks::isServerHost(host), hostOk);
    const auto p = settingchecks::serverPort(port, 9999);
    QCOMPARE(p ? *p : -1, portResult);
}

void TestServerConfig::digests_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("same");
    const QByteArray d = "9e107d9d372bb6826bd81d3542a419d6";
    QTest::newRow("equal") << d << d << true;
    QTest::newRow("upper case from the server") << d << d.toUpper() << true;
    QTest::newRow("one digit differs") << d << QByteArray("9e107d9d372bb6826bd81d3542a419d7") << false;
    QTest::newRow("empty server digest") << d << QByteArray() << false;
    QTest::newRow("both empty") << QByteArray() << QByteArray() << false;
    QTest::newRow("not hexadecimal") << QByteArray(32, 'g') << QByteArray(32, 'G') << false;
    QTest::newRow("trailing blank") << d << d + ' ' << false;
}

void TestServerConfig::digests()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, same);
    QCOMPARE(settingchecks::sameDigest(a, b), same);
}

void TestServerConfig::serverFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("backup name") << "OVN_2021-03-04.backup" << true;
    QTest::newRow("Chinese") << "备份.backup" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("climbs out") << "../../.bashrc" << false;
    QTest::newRow("absolute") << "/etc/passwd" << false;
    QTest::newRow("backslash") << "..\\x.backup" << false;
    QTest::newRow("drive") << "C:x.backup" << false;
    QTest::newRow("line break") << "a\nb" << false;
}

void TestServerConfig::serverFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(settingchecks::isSafeServerFileName(name), safe);
}

void TestServerConfig::backupFileName()
{
    QCOMPARE(settingchecks::backupFileName(QDate(2021, 3, 4)), QStringLiteral("OVN_2021-03-04.backup"));
}

QTEST_GUILESS_MAIN(TestServerConfig)
#include "tst_serverconfig.moc"
