// The simulator as a console meets it: a real process on loopback, driven with
// literal DBP texts on a plain socket and with its control channel.
#include "DbpTestClient.h"
#include "SimProcess.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

QByteArray firstLine(const QByteArray &m)
{
    return m.left(m.indexOf("\r\n"));
}

QJsonArray rowsOf(const QByteArray &message)
{
    return QJsonDocument::fromJson(DbpTestClient::body(message)).array();
}

} // namespace

class TestSimServer : public QObject
{
    Q_OBJECT
private slots:
    void loginAnswersWithCSeqAndPushesLevels_data();
    void loginAnswersWithCSeqAndPushesLevels();
    void onlyKeepAliveAndTimeBeforeLogin();
    void framesSplitAndMergedRequests();
    void listsRowsAndRefusesWrites();
    void commandsApplyAndPush_data();
    void commandsApplyAndPush();
    void playTermConfigHasNoBody();
    void settersCheckTheirMembers_data();
    void settersCheckTheirMembers();
    void speakerCheckAnswersAtOnceAndReportsLater();
    void controlChannelPushes();
    void controlChannelFindsRecordsThroughTheRegistry_data();
    void controlChannelFindsRecordsThroughTheRegistry();
    void everyConsoleGetsPushes();
    void receivedLogIsByteExact();
    void faults_data();
    void faults();
    void listAnswerIsBounded();
    void generatesLargeInstallations();
    void generatedCallStationsGoIntoBooksByTheirType();
};

void TestSimServer::loginAnswersWithCSeqAndPushesLevels_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("admin") << QByteArray("admin") << QByteArray("admin") << true;
    QTest::newRow("chinese account") << QByteArray("值班员") << QByteArray("888888") << true;
    QTest::newRow("wrong password") << QByteArray("admin") << QByteArray("nimda") << false;
    QTest::newRow("unknown user") << QByteArray("guest") << QByteArray("guest") << false;
}

void TestSimServer::loginAnswersWithCSeqAndPushesLevels()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    QFETCH(bool, accepted);
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    const QByteArray answer = c.login(41, user, password);
    QCOMPARE(firstLine(answer), accepted ? QByteArray("DBP/1.0 200 OK") : QByteArray("DBP/1.0 400 FAILED"));
    QVERIFY(answer.contains("\r\nCSeq: 41\r\n"));
    if (!accepted)
        return;
    const QByteArray levels = c.next();
    QVERIFY(levels.startsWith("POST DBP/1.0\r\n"));
    const QByteArray xml = DbpTestClient::body(levels);
    QVERIFY2(xml.startsWith("<?xml"), xml.constData());
    QVERIFY(xml.contains("<LevelList>"));
    QVERIFY(xml.contains("lv=\"1\" type=\"5\""));
    QVERIFY(xml.contains("lv=\"1\" type=\"4\""));
}

void TestSimServer::onlyKeepAliveAndTimeBeforeLogin()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    c.send(DbpTestClient::list(1, "TerminalList", "select * from ipamp"));
    QCOMPARE(firstLine(c.next()), QByteArray("DBP/1.0 400 FAILED"));
    c.send("ONLINE DBP/1.0\r\nCSeq: 2\r\n\r\n");
    QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    c.send("GET DBP/1.0\r\nCSeq:3\r\nPacket-Type:GetSystemTime\r\nContent-Length:0\r\n\r\n");
    const QByteArray time = c.next();
    QVERIFY(time.startsWith("DBP/1.0 200 OK\r\nCSeq: 3\r\n"));
    const qint64 seconds = QJsonDocument::fromJson(DbpTestClient::body(time)).object().value("SystemTime")
                               .toString().toLongLong();
    QVERIFY(seconds >= before && seconds <= before + 60);
}

void TestSimServer::framesSplitAndMergedRequests()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    QVERIFY(c.next().contains("<LevelList>"));

    const QByteArray split = DbpTestClient::list(2, "M37List", "select terminalId,type,status,work,name,ip,ver from m37");
    for (char ch : split) {
        c.send(QByteArray(1, ch));
        c.socket().flush();
    }
    const QByteArray listAnswer = c.next();
    QVERIFY(listAnswer.startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"));
    QCOMPARE(rowsOf(listAnswer).size(), 3);

    c.send("ONLINE DBP/1.0\r\nCSeq: 3\r\n\r\n" + DbpTestClient::list(4, "TtsList", "select * from tts83")
           + "ONLINE DBP/1.0\r\nCSeq: 5\r\n\r\n");
    QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 3\r\n"));
    const QByteArray tts = c.next();
    QVERIFY(tts.startsWith("DBP/1.0 200 OK\r\nCSeq: 4\r\n"));
    QCOMPARE(rowsOf(tts).size(), 2);
    QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 5\r\n"));
}

void TestSimServer::listsRowsAndRefusesWrites()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    c.send(DbpTestClient::list(2, "TerminalList", "select * from ipamp"));
    const QByteArray answer = c.nextStartingWith("DBP/1.0");
    QVERIFY(answer.startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"));
    const QJsonArray rows = rowsOf(answer);
    QVERIFY(rows.size() >= 20);
    bool sawChinese = false, sawOffline = false;
    for (const QJsonValue &row : rows) {
        const QJsonObject o = row.toObject();
        for (const char *key : {"terminalId", "type", "status", "name", "ip", "broVol", "power", "ampTemp",
                                   "speaker", "exten", "ver"})
            QVERIFY2(o.value(QLatin1String(key)).isString(), key);
        sawChinese = sawChinese || o.value("name").toString().contains(QChar(0x8d70));
        sawOffline = sawOffline || o.value("status").toString() == "0";
    }
    QVERIFY(sawChinese && sawOffline);

    c.send(DbpTestClient::list(3, "TerminalList", "delete from ipamp"));
    const QByteArray refused = c.next();
    QVERIFY(refused.startsWith("DBP/1.0 400 FAILED\r\nCSeq: 3\r\n"));
    QVERIFY(!DbpTestClient::body(refused).isEmpty());
    c.send(DbpTestClient::list(4, "TerminalList", "select count(*) as n from ipamp"));
    QCOMPARE(rowsOf(c.next()).at(0).toObject().value("n").toString().toInt(), rows.size());
}

void TestSimServer::commandsApplyAndPush_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("push");  // expected start of the push; empty: refused
    QTest::addColumn<QByteArray>("pushed");  // text the push must contain

    QTest::newRow("IpAmpSet") << QByteArray("IpAmpSet") << QByteArray("{\"BroVol\":\"35\",\"Id\":\"2\",\"Name\":\"二楼\"}\n")
                              << QByteArray("Packet-Subtype:ipamp\r\n") << QByteArray("\"broVol\":\"35\"");
    QTest::newRow("IpAmpSet M48") << QByteArray("IpAmpSet") << QByteArray("{\"BroVol\":\"20\",\"Id\":\"301\",\"Name\":\"Hall\"}\n")
                                  << QByteArray("Packet-Subtype:mic48\r\n") << QByteArray("\"name\":\"Hall\"");
    QTest::newRow("IpAmpSet unknown id") << QByteArray("IpAmpSet") << QByteArray("{\"BroVol\":\"35\",\"Id\":\"9999\",\"Name\":\"x\"}\n")
                                         << QByteArray() << QByteArray("9999");
    QTest::newRow("IpAmpSet volume too high") << QByteArray("IpAmpSet") << QByteArray("{\"BroVol\":\"101\",\"Id\":\"2\",\"Name\":\"x\"}\n")
                                              << QByteArray() << QByteArray("BroVol");
    QTest::newRow("IpAmpPower") << QByteArray("IpAmpPower") << QByteArray("{\"Id\":\"2\",\"Power\":\"0\"}\n")
                                << QByteArray("Packet-Subtype:ipamp\r\n") << QByteArray("\"power\":\"0\"");
    QTest::newRow("ModTalkTerminal M35 with PttMode")
        << QByteArray("ModTalkTerminal")
        << QByteArray("{\"BellVol\":\"10\",\"BroVol\":\"20\",\"CallVol\":\"30\",\"CapVol\":\"40\",\"Id\":\"101\",\"Name\":\"校长\",\"PttMode\":\"1\"}\n")
        << QByteArray("Packet-Subtype:mic35\r\n") << QByteArray("\"capVol\":\"40\",\"callVol\":\"30\",\"bellVol\":\"10\",\"broVol\":\"20\",\"pttMode\":\"1\"");
    QTest::newRow("ModTalkTerminal M26 numbers")
        << QByteArray("ModTalkTerminal")
        << QByteArray("{\"BellVol\":11,\"BroVol\":22,\"CallVol\":33,\"CapVol\":44,\"Id\":201,\"Name\":\"Gate\"}")
        << QByteArray("Packet-Subtype:mic26\r\n") << QByteArray("\"callVol\":\"33\"");
    QTest::newRow("ModTalkTerminal on an amplifier")
        << QByteArray("ModTalkTerminal")
        << QByteArray("{\"BellVol\":\"1\",\"BroVol\":\"1\",\"CallVol\":\"1\",\"CapVol\":\"1\",\"Id\":\"2\",\"Name\":\"x\"}\n")
        << QByteArray() << QByteArray("ipamp");
    QTest::newRow("ModM48Led") << QByteArray("ModM48Led")
                               << QByteArray("{\"DisplayTime\":\"9\",\"Id\":\"304\",\"LedColor\":\"28\",\"LedTxt\":\"放学\",\"SwitchMode\":\"2\"}\n")
                               << QByteArray("Packet-Subtype:mic48\r\n") << QByteArray("\"ledTxt\":\"放学\"");
    QTest::newRow("CapM59Set") << QByteArray("CapM59Set")
                               << QByteArray("{\"CapSamplerate\":\"24000\",\"CapVol\":\"66\",\"Id\":\"501\",\"Name\":\"Stage\"}\n")
                               << QByteArray("Packet-Subtype:capm59\r\n") << QByteArray("\"capSamplerate\":\"24000\"");
    QTest::newRow("CapM59Set bad rate") << QByteArray("CapM59Set")
                                        << QByteArray("{\"CapSamplerate\":\"22050\",\"CapVol\":\"66\",\"Id\":\"501\",\"Name\":\"Stage\"}\n")
                                        << QByteArray() << QByteArray("CapSamplerate");
    QTest::newRow("TTs83Name") << QByteArray("TTs83Name") << QByteArray("{\"Id\":\"602\",\"Name\":\"TTS 东\"}\n")
                               << QByteArray("Packet-Subtype:tts83\r\n") << QByteArray("\"name\":\"TTS 东\"");
    QTest::newRow("TTs83Name empty") << QByteArray("TTs83Name") << QByteArray("{\"Id\":\"602\",\"Name\":\"\"}\n")
                                     << QByteArray() << QByteArray("Name");
    QTest::newRow("SetFRName") << QByteArray("SetFRName") << QByteArray("{\"Id\":\"702\",\"Name\":\"Hall\",\"TriggerType\":\"2\"}\n")
                               << QByteArray("Packet-Subtype:firealarm\r\n") << QByteArray("\"triggerType\":\"2\"");
    QTest::newRow("SetFRTrigger") << QByteArray("SetFRTrigger")
                                  << QByteArray("{\"Channel\":\"2\",\"ChannelName\":\"Pump2\",\"Id\":\"702\",\"SourceId\":\"9\",\"StopPlay\":\"0\",\"TriggerSwitch\":\"1\"}\n")
                                  << QByteArray("Packet-Subtype:firealarm\r\n")
                                  << QByteArray("\"broadcast\":\"Pump#$%7!!!Pump2#$%9!!!12!!!\"");
    QTest::newRow("SetFRTrigger no such channel")
        << QByteArray("SetFRTrigger")
        << QByteArray("{\"Channel\":\"9\",\"ChannelName\":\"x\",\"Id\":\"702\",\"SourceId\":\"9\",\"StopPlay\":\"0\",\"TriggerSwitch\":\"1\"}\n")
        << QByteArray() << QByteArray("Channel");
    QTest::newRow("Terminal") << QByteArray("Terminal")
                              << QByteArray("{\"DefaultPower\":\"1\",\"DefaultVolumn\":\"45\",\"Id\":\"6\",\"IsDefault\":\"1\",\"TransportTcp\":\"1\"}\n")
                              << QByteArray("Packet-Subtype:ipamp\r\n")
                              << QByteArray("\"defaultVolumn\":\"45\",\"defaultPower\":\"1\",\"isDefault\":\"1\",\"transportTcp\":\"1\"");
    QTest::newRow("Terminal unknown member") << QByteArray("Terminal") << QByteArray("{\"Id\":\"6\",\"Volume\":\"1\"}\n")
                                             << QByteArray() << QByteArray("Volume");
    QTest::newRow("M35CallBook") << QByteArray("M35CallBook")
                                 << QByteArray("{\"Action\":\"Mod\",\"Contacts\":\"M37_401 Mic48_302\",\"Id\":\"103\"}\n")
                                 << QByteArray("Packet-Subtype:m35call\r\n")
                                 << QByteArray("[{\"terminalId\":\"103\",\"contactId\":\"401\",\"contactType\":\"8\",\"orderId\":\"1\"},"
                                               "{\"terminalId\":\"103\",\"contactId\":\"302\",\"contactType\":\"4\",\"orderId\":\"2\"}]");
    QTest::newRow("M35CallBook unknown contact") << QByteArray("M35CallBook")
                                                 << QByteArray("{\"Action\":\"Mod\",\"Contacts\":\"Mic26_999\",\"Id\":\"103\"}\n")
                                                 << QByteArray() << QByteArray("Mic26_999");
    QTest::newRow("M35CallBook empty") << QByteArray("M35CallBook") << QByteArray("{\"Action\":\"Mod\",\"Contacts\":\"\",\"Id\":\"101\"}\n")
                                       << QByteArray("Packet-Subtype:m35call\r\n") << QByteArray("[]");
    QTest::newRow("M35CallTransfer") << QByteArray("M35CallTransfer")
                                     << QByteArray("{\"Action\":\"Mod\",\"CallTransfer\":\"Mic35_104 CallSerGroup_3\",\"Id\":\"101\"}\n")
                                     << QByteArray("Packet-Subtype:m35transfercall\r\n")
                                     << QByteArray("{\"terminalId\":\"101\",\"orderId\":\"2\",\"transferId\":\"3\",\"transferType\":\"10\"}");
    QTest::newRow("M35MonitorBook") << QByteArray("M35MonitorBook")
                                    << QByteArray("{\"Action\":\"Mod\",\"Id\":\"102\",\"Monitor\":\"Mic26_202 IpAmp_4\"}\n")
                                    << QByteArray("Packet-Subtype:m35monitor\r\n")
                                    << QByteArray("\"monitorId\":\"4\",\"monitorType\":\"6\"");
    QTest::newRow("M35SoundSource") << QByteArray("M35SoundSource")
                                    << QByteArray("{\"Action\":\"Mod\",\"Id\":\"102\",\"SoundSource\":\"5 6\"}\n")
                                    << QByteArray("Packet-Subtype:m35soundsource\r\n") << QByteArray("\"orderId\":\"2\",\"sourceId\":\"6\"");
    QTest::newRow("M35BroadBook") << QByteArray("M35BroadBook") << QByteArray("{\"Action\":\"Mod\",\"Id\":\"102\",\"RegionId\":\"4\"}\n")
                                  << QByteArray("Packet-Subtype:m35broadcast\r\n") << QByteArray("\"regionId\":\"4\"");
    QTest::newRow("M35BroadBook wrong action") << QByteArray("M35BroadBook") << QByteArray("{\"Action\":\"Add\",\"Id\":\"102\",\"RegionId\":\"4\"}\n")
                                               << QByteArray() << QByteArray("Action");
    QTest::newRow("M26ButtonCall backup off")
        << QByteArray("M26ButtonCall")
        << QByteArray("{\"Action\":\"Mod\",\"AlarmCall\":\" \",\"ButtonCalls\":[{\"CallServiceGroup\":\"0\",\"Mic35\":\"101\",\"StartCall\":\"ButtonPopUp\",\"StopCall\":\"ButtonLongPress\"},"
                      "{\"CallServiceGroup\":\"2\",\"Mic35\":\"0\",\"StartCall\":\"AlarmShortPress\",\"StopCall\":\"AlarmLongPress\"},"
                      "{\"CallServiceGroup\":\"0\",\"Mic35\":\"401\",\"StartCall\":\"Alarm2ShortPress\",\"StopCall\":\"Alarm2LongPress\"}],\"Id\":\"204\"}\n")
        << QByteArray("Packet-Subtype:m26buttoncall\r\n")
        << QByteArray("{\"terminalId\":\"204\",\"startCall\":\"\",\"stopCall\":\"\",\"mic35Id\":\"0\",\"groupId\":\"0\"}]");
    QTest::newRow("M48ButtonCall") << QByteArray("M48ButtonCall")
                                   << QByteArray("{\"Action\":\"Mod\",\"CallServiceGroup\":\"0\",\"Id\":\"303\",\"Mic35\":\"106\",\"StartCall\":\"ButtonPushDown\",\"StopCall\":\"ButtonLongPress\"}\n")
                                   << QByteArray("Packet-Subtype:m48buttoncall\r\n") << QByteArray("\"mic35Id\":\"106\"");
    QTest::newRow("RemoveDevice offline") << QByteArray("RemoveDevice") << QByteArray("{\"Id\":\"9\",\"Type\":\"IP\"}\n")
                                          << QByteArray("DELETE DBP/1.0\r\nPacket-Type:01\r\nId: 9\r\n") << QByteArray("");
    QTest::newRow("RemoveDevice online") << QByteArray("RemoveDevice") << QByteArray("{\"Id\":\"1\",\"Type\":\"IP\"}\n")
                                         << QByteArray() << QByteArray("offline");
    QTest::newRow("RemoveDevice unknown") << QByteArray("RemoveDevice") << QByteArray("{\"Id\":\"4242\",\"Type\":\"IP\"}\n")
                                          << QByteArray() << QByteArray("unknown");
    QTest::newRow("RemoveDevice wrong type") << QByteArray("RemoveDevice") << QByteArray("{\"Id\":\"503\",\"Type\":\"IP\"}\n")
                                             << QByteArray() << QByteArray("type");
    // Tasks: the whole task for Add, Mod and Del; the server gives new ids.
    const auto task = [](const char *action, int id, const char *category, const char *type, const char *plan,
                         const char *content, const char *terminals) {
        return "{\"Action\":\"" + QByteArray(action) + "\",\"Duration\":\"0\",\"EndDate\":\"4102444800\","
               "\"ExecuteTime\":\"A#$%28800\",\"Id\":\"" + QByteArray::number(id) + "\",\"Name\":\"\","
               "\"OpenAmp\":\"0\",\"PlayTimes\":\"1\",\"PlayVol\":\"70\",\"SourceCategory\":\"" + category
            + "\",\"SourceContent\":\"" + content + "\",\"SourceType\":\"" + type
            + "\",\"StartDate\":\"0\",\"TerminalId\":\"" + terminals + "\",\"TimerPlanId\":\"" + plan
            + "\",\"Week\":\"62\"}\n";
    };
    QTest::newRow("SoundSource Add") << QByteArray("SoundSource") << task("Add", 0, "3", "1", "2", "a.mp3", "1 2")
                                     << QByteArray("Packet-Subtype:soundsource\r\n")
                                     << QByteArray("\"sourceId\":\"31\",\"name\":\"\",\"status\":\"2\"");
    QTest::newRow("SoundSource Mod") << QByteArray("SoundSource") << task("Mod", 20, "3", "1", "1", "b.mp3", "3")
                                     << QByteArray("Packet-Subtype:soundsource\r\n")
                                     << QByteArray("\"endDate\":\"4102444800\"");
    QTest::newRow("SoundSource Mod unknown id") << QByteArray("SoundSource") << task("Mod", 999, "2", "1", "-1", "", "")
                                                << QByteArray() << QByteArray("unknown task 999");
    QTest::newRow("SoundSource Mod running") << QByteArray("SoundSource") << task("Mod", 8, "2", "3", "-1", "t", "6")
                                             << QByteArray() << QByteArray("task 8 is running");
    QTest::newRow("SoundSource unknown scheme") << QByteArray("SoundSource") << task("Add", 0, "3", "1", "77", "", "")
                                                << QByteArray() << QByteArray("unknown scheme 77");
    QTest::newRow("SoundSource unknown terminal") << QByteArray("SoundSource")
                                                  << task("Mod", 7, "2", "1", "-1", "a", "1 99999") << QByteArray()
                                                  << QByteArray("unknown terminal 99999");
    QTest::newRow("SoundSource unknown capture box") << QByteArray("SoundSource")
                                                     << task("Mod", 3, "1", "2", "-1", "601", "") << QByteArray()
                                                     << QByteArray("unknown capture box 601");
    QTest::newRow("SoundSource integration task") << QByteArray("SoundSource")
                                                  << task("Mod", 30, "4", "1", "-1", "door.mp3", "3 4") << QByteArray()
                                                  << QByteArray("integration tasks are managed by the server");
    QTest::newRow("SoundSource Del") << QByteArray("SoundSource") << task("Del", 7, "2", "1", "-1", "", "")
                                     << QByteArray("DELETE DBP/1.0\r\nPacket-Type:SoundSource\r\nId: 7\r\n")
                                     << QByteArray();
    QTest::newRow("SoundSourceSwitch Start") << QByteArray("SoundSourceSwitch")
                                             << QByteArray("{\"Action\":\"Start\",\"Id\":\"7\"}\n")
                                             << QByteArray("Packet-Subtype:soundsource\r\n")
                                             << QByteArray("\"sourceId\":\"7\",\"name\":\"消防疏散广播\",\"status\":\"1\"");
    QTest::newRow("SoundSourceSwitch extra member") << QByteArray("SoundSourceSwitch")
                                                    << QByteArray("{\"Action\":\"Start\",\"Id\":\"7\",\"Name\":\"x\"}\n")
                                                    << QByteArray() << QByteArray("unknown member Name");
    QTest::newRow("TimerPlan Add") << QByteArray("TimerPlan")
                                   << QByteArray("{\"Action\":\"Add\",\"Comment\":\"\",\"Enable\":\"1\",\"Id\":\"-1\","
                                                 "\"Name\":\"夜间\"}\n")
                                   << QByteArray("Packet-Subtype:timerplan\r\n")
                                   << QByteArray("[{\"timerplanId\":\"4\",\"name\":\"夜间\",\"enable\":\"1\"");
    QTest::newRow("TimerPlan Mod unknown") << QByteArray("TimerPlan")
                                           << QByteArray("{\"Action\":\"Mod\",\"Comment\":\"\",\"Enable\":\"1\","
                                                         "\"Id\":\"42\",\"Name\":\"x\"}\n")
                                           << QByteArray() << QByteArray("unknown scheme 42");
    QTest::newRow("TimerPlan Del default") << QByteArray("TimerPlan")
                                           << QByteArray("{\"Action\":\"Del\",\"Comment\":\"\",\"Enable\":\"1\","
                                                         "\"Id\":\"1\",\"Name\":\"x\"}\n")
                                           << QByteArray() << QByteArray("scheme 1 is the default scheme");
    QTest::newRow("TimerPlan Del with tasks") << QByteArray("TimerPlan")
                                              << QByteArray("{\"Action\":\"Del\",\"Comment\":\"\",\"Enable\":\"1\","
                                                            "\"Id\":\"2\",\"Name\":\"x\"}\n")
                                              << QByteArray() << QByteArray("scheme 2 still holds tasks");
    QTest::newRow("TimerPlan Del") << QByteArray("TimerPlan")
                                   << QByteArray("{\"Action\":\"Del\",\"Comment\":\"\",\"Enable\":\"0\","
                                                 "\"Id\":\"3\",\"Name\":\"x\"}\n")
                                   << QByteArray("DELETE DBP/1.0\r\nPacket-Type:SchemeData\r\nId: 3\r\n") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("IpAmpPower") << QByteArray("Id=2") << QByteArray() << QByteArray("JSON");
    QTest::newRow("unknown command") << QByteArray("MakeCoffee") << QByteArray("{}\n") << QByteArray() << QByteArray("MakeCoffee");
}

void TestSimServer::commandsApplyAndPush()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, push);
    QFETCH(QByteArray, pushed);
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    QVERIFY(c.next().contains("<LevelList>"));
    c.send(DbpTestClient::post(77, type, body));
    const QByteArray answer = c.next();
    if (push.isEmpty()) {
        QVERIFY2(answer.startsWith("DBP/1.0 400 FAILED\r\nCSeq: 77\r\n"), answer.constData());
        QVERIFY2(DbpTestClient::body(answer).contains(pushed), answer.constData());
        c.send("ONLINE DBP/1.0\r\nCSeq: 78\r\n\r\n");
        QVERIFY2(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 78"), "a refused command must not push anything");
        return;
    }
    QVERIFY2(answer.startsWith("DBP/1.0 200 OK\r\nCSeq: 77\r\n"), answer.constData());
    const QByteArray notification = c.next();
    if (push.startsWith("DELETE")) {
        QVERIFY2(notification.startsWith(push), notification.constData());
        return;
    }
    QVERIFY2(notification.startsWith("POST DBP/1.0\r\nPacket-Type:SqlConfig\r\n" + push), notification.constData());
    QVERIFY2(DbpTestClient::body(notification).contains(pushed), notification.constData());
    QVERIFY(QJsonDocument::fromJson(DbpTestClient::body(notification)).isArray());
}

void TestSimServer::playTermConfigHasNoBody()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    c.send("SET DBP/1.0\r\nCommand: PlayTermConfig\r\nCSeq: 2\r\nId: 3\r\nType: IP\r\nWarnTempThreshold: 65\r\n"
           "FanTempThreshold: 45\r\nMaxVol: 80\r\n\r\nONLINE DBP/1.0\r\nCSeq: 3\r\n\r\n");
    QVERIFY(c.nextStartingWith("DBP/1.0").startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"));
    const QByteArray push = c.next();
    QVERIFY(DbpTestClient::body(push).contains("\"warnTempThreshold\":\"65\",\"fanTempThreshold\":\"45\",\"maxVol\":\"80\""));
    QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 3\r\n"));
}

void TestSimServer::settersCheckTheirMembers_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("pushed");  // text the change push must contain; empty: no push

    auto set = [](const QByteArray &headers) {
        return "SET DBP/1.0\r\nCommand: PlayTermConfig\r\nCSeq: 7\r\n" + headers + "\r\n";
    };
    QTest::newRow("PttMode on a call station")
        << DbpTestClient::post(7, "ModTalkTerminal", "{\"BellVol\":\"1\",\"BroVol\":\"1\",\"CallVol\":\"1\",\"CapVol\":\"1\","
                                                     "\"Id\":\"201\",\"Name\":\"x\",\"PttMode\":\"1\"}\n")
        << false << QByteArray("paging microphones");
    QTest::newRow("IpAmpSet without a name")
        << DbpTestClient::post(7, "IpAmpSet", "{\"BroVol\":\"35\",\"Id\":\"2\"}\n") << false << QByteArray("Name");
    QTest::newRow("IpAmpPower offline")
        << DbpTestClient::post(7, "IpAmpPower", "{\"Id\":\"5\",\"Power\":\"1\"}\n") << false << QByteArray("offline");
    QTest::newRow("IpAmpPower on a capture box")
        << DbpTestClient::post(7, "IpAmpPower", "{\"Id\":\"501\",\"Power\":\"1\"}\n") << false << QByteArray("capm59");
    QTest::newRow("Terminal with an empty body changes nothing")
        << DbpTestClient::post(7, "Terminal", "") << true << QByteArray();
    QTest::newRow("Terminal leaves members it is not given")
        << DbpTestClient::post(7, "Terminal", "{\"Id\":\"1\",\"IsDefault\":\"0\"}\n") << true
        << QByteArray("\"defaultVolumn\":\"50\",\"defaultPower\":\"1\",\"isDefault\":\"0\"");
    QTest::newRow("Terminal with only the id") << DbpTestClient::post(7, "Terminal", "{\"Id\":\"2\"}\n") << true
                                               << QByteArray("\"terminalId\":\"2\"");
    QTest::newRow("ModM48Led with an empty text")
        << DbpTestClient::post(7, "ModM48Led", "{\"DisplayTime\":\"0\",\"Id\":\"301\",\"LedColor\":\"16777215\","
                                               "\"LedTxt\":\"\",\"SwitchMode\":\"0\"}\n")
        << true << QByteArray("\"ledColor\":\"16777215\",\"switchMode\":\"0\",\"displayTime\":\"0\",\"ledTxt\":\"\"");
    QTest::newRow("CapM59Set rate beyond the range")
        << DbpTestClient::post(7, "CapM59Set", "{\"CapSamplerate\":\"48000\",\"CapVol\":\"1\",\"Id\":\"501\",\"Name\":\"x\"}\n")
        << false << QByteArray("CapSamplerate must be a number from 16000 to 32000");
    QTest::newRow("SetFRName trigger type 3")
        << DbpTestClient::post(7, "SetFRName", "{\"Id\":\"701\",\"Name\":\"x\",\"TriggerType\":\"3\"}\n") << false
        << QByteArray("TriggerType");
    QTest::newRow("PlayTermConfig resets to -1")
        << set("Id: 1\r\nWarnTempThreshold: -1\r\nFanTempThreshold: -1\r\nMaxVol: -1\r\n") << true
        << QByteArray("\"warnTempThreshold\":\"-1\",\"fanTempThreshold\":\"-1\",\"maxVol\":\"-1\"");
    QTest::newRow("PlayTermConfig without MaxVol")
        << set("Id: 1\r\nWarnTempThreshold: 60\r\nFanTempThreshold: 50\r\n") << false
        << QByteArray("MaxVol must be a number from -1 to 100");
    QTest::newRow("PlayTermConfig for a microphone")
        << set("Id: 101\r\nWarnTempThreshold: 60\r\nFanTempThreshold: 50\r\nMaxVol: 1\r\n") << false
        << QByteArray("mic35");
}

void TestSimServer::settersCheckTheirMembers()
{
    QFETCH(QByteArray, request);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, pushed);
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    QVERIFY(c.next().contains("<LevelList>"));
    c.send(request + "ONLINE DBP/1.0\r\nCSeq: 8\r\n\r\n");
    const QByteArray answer = c.next();
    QVERIFY2(answer.startsWith(accepted ? "DBP/1.0 200 OK\r\nCSeq: 7\r\n" : "DBP/1.0 400 FAILED\r\nCSeq: 7\r\n"),
             answer.constData());
    if (accepted && !pushed.isEmpty()) {
        const QByteArray push = c.next();
        QVERIFY2(push.startsWith("POST DBP/1.0\r\nPacket-Type:SqlConfig\r\n"), push.constData());
        QVERIFY2(DbpTestClient::body(push).contains(pushed), push.constData());
    } else if (!accepted) {
        QVERIFY2(DbpTestClient::body(answer).contains(pushed), answer.constData());
    }
    QVERIFY2(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 8"), "nothing else is pushed");
}

void TestSimServer::speakerCheckAnswersAtOnceAndReportsLater()
{
    SimProcess sim({"--speaker-check-ms", "300"});
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    QVERIFY(c.next().contains("<LevelList>"));
    QCOMPARE(sim.command("speaker 4 2"), QString("ok"));
    QVERIFY(DbpTestClient::body(c.next()).contains("\"speaker\":\"2\""));
    QElapsedTimer clock;
    clock.start();
    c.send(DbpTestClient::post(5, "IpAmpSpkCheck", "{\"Id\":\"4\",\"SpkCheck\":\"1\"}\n"));
    QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 5\r\n"));
    const QByteArray report = c.next();
    QVERIFY(clock.elapsed() >= 250);
    QVERIFY(report.contains("Packet-Subtype:ipamp\r\n"));
    QVERIFY(DbpTestClient::body(report).contains("\"terminalId\":\"4\""));
    QVERIFY(DbpTestClient::body(report).contains("\"speaker\":\"2\""));
    // A terminal that is broadcasting cannot be checked.
    c.send(DbpTestClient::post(6, "IpAmpSpkCheck", "{\"Id\":\"3\",\"SpkCheck\":\"1\"}\n"));
    QVERIFY(c.next().startsWith("DBP/1.0 400 FAILED\r\nCSeq: 6\r\n"));
}

void TestSimServer::controlChannelPushes()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    QVERIFY(c.next().contains("<LevelList>"));

    QCOMPARE(sim.command("status 5 1"), QString("ok"));
    QByteArray m = c.next();
    QVERIFY2(m.startsWith("POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:ipamp\r\nContent-Length:"), m.constData());
    QCOMPARE(rowsOf(m).at(0).toObject().value("status").toString(), QString("1"));

    QCOMPARE(sim.command("temp 2 77 41"), QString("ok"));
    c.next();
    QCOMPARE(rowsOf(c.next()).at(0).toObject().value("localTemp").toString(), QString("41"));

    QCOMPARE(sim.command("status 201 0"), QString("ok"));
    QVERIFY(c.next().contains("Packet-Subtype:mic26\r\n"));

    QCOMPARE(sim.command("delete CAP 503"), QString("ok"));
    QCOMPARE(c.next(), QByteArray("DELETE DBP/1.0\r\nPacket-Type:CAP\r\nId: 503\r\nContent-Length:0\r\n\r\n"));

    QCOMPARE(sim.command("conflict 1 101"), QString("ok"));
    m = c.next();
    QVERIFY(m.startsWith("POST DBP/1.0\r\nPacket-Type:TerminalConflict\r\n"));
    QCOMPARE(rowsOf(m).size(), 2);
    QCOMPARE(rowsOf(m).at(1).toObject().value("terminalId").toString(), QString("101"));

    QCOMPARE(sim.command("levels 3:终端操作:0:5"), QString("ok"));
    m = c.next();
    QVERIFY(DbpTestClient::body(m).contains("<Level id=\"3\" name=\"终端操作\" lv=\"0\" type=\"5\"/>"));
    QVERIFY(!DbpTestClient::body(m).contains("type=\"4\""));

    QCOMPARE(sim.command("broadcastlist"), QString("ok"));
    QVERIFY(DbpTestClient::body(c.next()).contains("<BroadcastList>"));

    QVERIFY(sim.command("status 9999 1").startsWith("error"));
    QVERIFY(sim.command("set 1 nosuchcolumn 3").startsWith("error"));
    QVERIFY(sim.command("frobnicate").startsWith("error"));
}

void TestSimServer::controlChannelFindsRecordsThroughTheRegistry_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("push");  // start of the message it sends; empty: none
    QTest::addColumn<QByteArray>("check"); // a count query after the command
    QTest::addColumn<int>("count");

    const QByteArray sqlConfig = "POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:";
    QTest::newRow("set a terminal by table") << QString("set Mic48 301 ledTxt 你好 世界") << true << sqlConfig + "mic48\r\n"
                                             << QByteArray("select count(*) as n from Mic48 where ledTxt = '你好 世界'") << 1;
    QTest::newRow("set every book row of an owner")
        << QString("set m35call 101 contactType 8") << true << sqlConfig + "m35call\r\n"
        << QByteArray("select count(*) as n from m35call where terminalId = 101 and contactType = 8") << 4;
    QTest::newRow("set in a table not registered") << QString("set users 1 level 2") << false << QByteArray()
                                                   << QByteArray("select count(*) as n from users where level = 2") << 0;
    QTest::newRow("set a missing record") << QString("set Mic26 299 name x") << false << QByteArray()
                                          << QByteArray("select count(*) as n from Mic26 where name = 'x'") << 0;
    QTest::newRow("set the key column") << QString("set tts83 601 terminalId 5") << false << QByteArray()
                                        << QByteArray("select count(*) as n from tts83 where terminalId = 601") << 1;
    QTest::newRow("push a book") << QString("push m35monitor 101") << true << sqlConfig + "m35monitor\r\n"
                                 << QByteArray("select count(*) as n from m35monitor where terminalId = 101") << 2;
    QTest::newRow("push with the table name in capitals") << QString("push MIC26 201") << true << sqlConfig + "mic26\r\n"
                                                          << QByteArray("select count(*) as n from Mic26") << 5;
    QTest::newRow("push a table not registered") << QString("push levels 1") << false << QByteArray()
                                                 << QByteArray("select count(*) as n from levels") << 2;
    QTest::newRow("delete by table removes the record")
        << QString("delete capm59 503") << true << QByteArray("DELETE DBP/1.0\r\nPacket-Type:CAP\r\nId: 503\r\n")
        << QByteArray("select count(*) as n from capm59 where terminalId = 503") << 0;
    QTest::newRow("delete of a terminal takes its books")
        << QString("delete mic35 101") << true << QByteArray("DELETE DBP/1.0\r\nPacket-Type:MIC\r\nId: 101\r\n")
        << QByteArray("select count(*) as n from m35call where terminalId = 101") << 0;
    QTest::newRow("delete by type only sends")
        << QString("delete CAP 502") << true << QByteArray("DELETE DBP/1.0\r\nPacket-Type:CAP\r\nId: 502\r\n")
        << QByteArray("select count(*) as n from capm59 where terminalId = 502") << 1;
    QTest::newRow("delete type M37 is not table m37")
        << QString("delete M37 401") << true << QByteArray("DELETE DBP/1.0\r\nPacket-Type:M37\r\nId: 401\r\n")
        << QByteArray("select count(*) as n from m37 where terminalId = 401") << 1;
    QTest::newRow("delete table m37") << QString("delete m37 402") << true
                                      << QByteArray("DELETE DBP/1.0\r\nPacket-Type:M37\r\nId: 402\r\n")
                                      << QByteArray("select count(*) as n from m37 where terminalId = 402") << 0;
    QTest::newRow("delete of an unknown type is sent")
        << QString("delete Nothing 5") << true << QByteArray("DELETE DBP/1.0\r\nPacket-Type:Nothing\r\nId: 5\r\n")
        << QByteArray("select count(*) as n from ipamp where terminalId = 5") << 1;
    QTest::newRow("delete in a book table") << QString("delete m35call 101") << false << QByteArray()
                                            << QByteArray("select count(*) as n from m35call where terminalId = 101") << 4;
    QTest::newRow("delete a missing record") << QString("delete tts83 699") << false << QByteArray()
                                             << QByteArray("select count(*) as n from tts83") << 2;
}

void TestSimServer::controlChannelFindsRecordsThroughTheRegistry()
{
    QFETCH(QString, command);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, push);
    QFETCH(QByteArray, check);
    QFETCH(int, count);
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    QVERIFY(c.next().contains("<LevelList>"));
    const QString reply = sim.command(command);
    QVERIFY2(reply.startsWith(accepted ? "ok" : "error"), qPrintable(reply));
    if (!push.isEmpty()) {
        const QByteArray m = c.next();
        QVERIFY2(m.startsWith(push), m.constData());
        if (push.startsWith("POST"))
            QVERIFY2(!rowsOf(m).isEmpty(), m.constData());
    }
    c.send("ONLINE DBP/1.0\r\nCSeq: 2\r\n\r\n");
    QVERIFY2(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"), "nothing else is pushed");
    c.send(DbpTestClient::list(3, "Check", check));
    QCOMPARE(rowsOf(c.next()).at(0).toObject().value("n").toString().toInt(), count);
}

void TestSimServer::everyConsoleGetsPushes()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient a, b, stranger;
    QVERIFY(a.connectTo(sim.dbpPort()) && b.connectTo(sim.dbpPort()) && stranger.connectTo(sim.dbpPort()));
    QVERIFY(a.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    QVERIFY(b.login(1, "operator", "123456").startsWith("DBP/1.0 200 OK"));
    QVERIFY(a.next().contains("<LevelList>") && b.next().contains("<LevelList>"));
    a.send(DbpTestClient::post(2, "TTs83Name", "{\"Id\":\"601\",\"Name\":\"North\"}\n"));
    QVERIFY(a.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 2"));
    QVERIFY(a.next().contains("Packet-Subtype:tts83"));
    QVERIFY(b.next().contains("Packet-Subtype:tts83"));
    // A connection that never logged in is not told.
    stranger.send("ONLINE DBP/1.0\r\nCSeq: 9\r\n\r\n");
    QVERIFY(stranger.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 9"));
    QCOMPARE(sim.command("sessions"), QString("ok 3"));
}

void TestSimServer::receivedLogIsByteExact()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    const QByteArray text = "ONLINE DBP/1.0\r\nCSeq: 1\r\n\r\n"
                            "GET DBP/1.0\r\nCSeq:2\r\nPacket-Type:GetSystemTime\r\nContent-Length:0\r\n\r\n";
    c.send(text);
    QVERIFY(!c.next().isEmpty());
    QVERIFY(!c.next().isEmpty());
    QCOMPARE(sim.receivedLog(), text);
    sim.clearReceivedLog();
    c.send("ONLINE DBP/1.0\r\nCSeq: 3\r\n\r\n");
    QVERIFY(!c.next().isEmpty());
    QCOMPARE(sim.receivedLog(), QByteArray("ONLINE DBP/1.0\r\nCSeq: 3\r\n\r\n"));
}

void TestSimServer::faults_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("runtime");  // control line, or empty
    QTest::newRow("refuse from command line") << QStringList{"--fault", "refuse IpAmpPower"} << QString();
    QTest::newRow("refuse at run time") << QStringList{} << QString("fault refuse IpAmpPower");
    QTest::newRow("no keep-alive") << QStringList{"--fault", "no-keepalive"} << QString();
    QTest::newRow("close after") << QStringList{} << QString("fault close-after 3");
    QTest::newRow("chunks") << QStringList{"--fault", "chunk 7"} << QString();
    QTest::newRow("delay") << QStringList{} << QString("fault delay 400");
    QTest::newRow("malformed") << QStringList{} << QString("fault malformed-next");
    QTest::newRow("oversized") << QStringList{} << QString("fault oversized-next");
}

void TestSimServer::faults()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, runtime);
    SimProcess sim(arguments);
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    QVERIFY(c.next().contains("<LevelList>"));
    if (!runtime.isEmpty())
        QVERIFY(sim.command(runtime).startsWith("ok"));
    const QByteArray power = DbpTestClient::post(2, "IpAmpPower", "{\"Id\":\"2\",\"Power\":\"1\"}\n");
    const QString tag = QTest::currentDataTag();
    QElapsedTimer clock;
    clock.start();
    if (tag.startsWith("refuse")) {
        c.send(power);
        QVERIFY(c.next().startsWith("DBP/1.0 400 FAILED\r\nCSeq: 2\r\n"));
        QVERIFY(sim.command("fault clear").startsWith("ok"));
        c.send(power);
        QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"));
    } else if (tag == "no keep-alive") {
        c.send("ONLINE DBP/1.0\r\nCSeq: 2\r\n\r\nGET DBP/1.0\r\nCSeq:3\r\nPacket-Type:GetSystemTime\r\nContent-Length:0\r\n\r\n");
        QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 3\r\n"));
    } else if (tag == "close after") {
        c.send("ONLINE DBP/1.0\r\nCSeq: 2\r\n\r\nONLINE DBP/1.0\r\nCSeq: 3\r\n\r\nONLINE DBP/1.0\r\nCSeq: 4\r\n\r\n");
        QVERIFY(c.next().contains("CSeq: 2"));
        QVERIFY(c.next().contains("CSeq: 3"));
        QVERIFY(c.waitClosed());
        QVERIFY(!c.buffered().contains("CSeq: 4"));
    } else if (tag == "chunks") {
        c.send(power);
        QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"));
        QVERIFY(rowsOf(c.next()).at(0).toObject().value("power").toString() == "1");
    } else if (tag == "delay") {
        c.send("ONLINE DBP/1.0\r\nCSeq: 2\r\n\r\n");
        QVERIFY(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"));
        QVERIFY(clock.elapsed() >= 350);
    } else if (tag == "malformed") {
        c.send(DbpTestClient::list(2, "TtsList", "select * from tts83"));
        const QByteArray m = c.next();
        QVERIFY(m.startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\n"));
        QVERIFY(QJsonDocument::fromJson(DbpTestClient::body(m)).isNull());
        c.send(DbpTestClient::list(3, "TtsList", "select * from tts83"));
        QCOMPARE(rowsOf(c.next()).size(), 2);
    } else if (tag == "oversized") {
        c.send("ONLINE DBP/1.0\r\nCSeq: 2\r\n\r\n");
        QTRY_VERIFY_WITH_TIMEOUT((c.socket().waitForReadyRead(100), c.socket().bytesAvailable() > 0
                                  || c.buffered().size() > 0), 10000);
        const QByteArray raw = c.socket().peek(4096);
        QVERIFY2(raw.startsWith("DBP/1.0 200 OK\r\nCSeq: 2\r\nContent-Length:2147483647\r\n\r\n"), raw.constData());
    }
}

void TestSimServer::listAnswerIsBounded()
{
    SimProcess sim({"--max-rows", "10"});
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    c.send(DbpTestClient::list(2, "TerminalList", "select * from ipamp"));
    const QByteArray m = c.nextStartingWith("DBP/1.0");
    QVERIFY(m.startsWith("DBP/1.0 400 FAILED\r\nCSeq: 2\r\n"));
    QVERIFY(DbpTestClient::body(m).contains("exceeds 10 rows"));
    c.send(DbpTestClient::list(3, "TerminalList", "select * from ipamp limit 10"));
    QCOMPARE(rowsOf(c.next()).size(), 10);
}

void TestSimServer::generatesLargeInstallations()
{
    SimProcess sim({"--terminals", "3000", "--tasks", "400"});
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    c.send(DbpTestClient::list(2, "TerminalList", "select * from ipamp"));
    const QJsonArray rows = rowsOf(c.nextStartingWith("DBP/1.0"));
    QCOMPARE(rows.size(), 3000);
    QCOMPARE(rows.at(2999).toObject().value("terminalId").toString(), QString("3000"));
    c.send(DbpTestClient::list(3, "MicList", "select count(*) as n from mic35"));
    QCOMPARE(rowsOf(c.next()).at(0).toObject().value("n").toString(), QString("30"));
    // Tasks of every category; the timer tasks only in schemes that exist.
    c.send(DbpTestClient::list(4, "SoundSourceList",
                               "select sourceCategory as c, count(*) as n from soundsource group by c order by c"));
    const QJsonArray categories = rowsOf(c.next());
    QCOMPARE(categories.size(), 4);
    QCOMPARE(categories.at(2).toObject().value("n").toString(), QString("100"));
    c.send(DbpTestClient::list(5, "SoundSourceList",
                               "select count(*) as n from soundsource where sourceCategory = 3 and timerPlanId not in"
                               " (select timerplanId from timerplan)"));
    QCOMPARE(rowsOf(c.next()).at(0).toObject().value("n").toString(), QString("0"));
}

void TestSimServer::generatedCallStationsGoIntoBooksByTheirType()
{
    // A console names a book entry by the row's type text and id ("Mic26_3001").
    SimProcess sim({"--terminals", "300"});
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QVERIFY(c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK"));
    c.send(DbpTestClient::list(2, "Stations", "select terminalId, type from Mic26 union all select terminalId, type "
                                              "from Mic48 union all select terminalId, type from mic35"));
    const QJsonArray rows = rowsOf(c.nextStartingWith("DBP/1.0"));
    QCOMPARE(rows.size(), 9);
    QByteArray entries;
    for (const QJsonValue &row : rows) {
        const QJsonObject o = row.toObject();
        entries += (entries.isEmpty() ? "" : " ") + o.value("type").toString().toUtf8() + "_"
            + o.value("terminalId").toString().toUtf8();
    }
    const QByteArray microphone = rows.last().toObject().value("terminalId").toString().toUtf8();
    c.send(DbpTestClient::post(3, "M35MonitorBook", "{\"Action\":\"Mod\",\"Id\":\"" + microphone
                                                      + "\",\"Monitor\":\"" + entries + "\"}\n"));
    const QByteArray answer = c.next();
    QVERIFY2(answer.startsWith("DBP/1.0 200 OK\r\nCSeq: 3\r\n"), (entries + "\n" + answer).constData());
    QCOMPARE(rowsOf(c.next()).size(), 9);
}

QTEST_GUILESS_MAIN(TestSimServer)
#include "tst_sim_server.moc"
