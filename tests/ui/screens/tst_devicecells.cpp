#include "screens/callstations/CallStationCells.h"
#include "screens/capture/CaptureCells.h"
#include "screens/mic/MicCells.h"
#include "screens/tts/TtsCells.h"

#include <QtTest>

#include <functional>

// The display texts of the device pages, value by value, with the values
// outside each family's range.
class TestDeviceCells : public QObject
{
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void emergencyStatusIsRed();
};

using TextOf = std::function<QString(int)>;
Q_DECLARE_METATYPE(TextOf)

void TestDeviceCells::texts_data()
{
    QTest::addColumn<TextOf>("textOf");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");

    const TextOf mic = miccells::statusText;
    const struct { int v; const char *t; } micRows[] = {
        {0, "Off Line"}, {1, "Idle"}, {2, "Mic to Broadcast"}, {3, "Mic Call Ring"}, {4, "Talkbacking"},
        {5, "Monitor Terminal"}, {6, "Mic Stop Service"}, {7, "Off Line"}, {-1, "Off Line"}};
    for (const auto &r : micRows)
        QTest::addRow("mic status %d", r.v) << mic << r.v << QString::fromLatin1(r.t);

    const TextOf station = callstationcells::statusText;
    const struct { int v; const char *t; } stationRows[] = {
        {0, "Login Out"}, {1, "Idle"}, {2, "Sound Source Broadcast"}, {3, "Mic Broadcast"}, {4, "Ring By Call"},
        {5, "Talking"}, {6, "Monitor"}, {7, "EmergencyBroadcast"}, {9, "Login Out"}, {-3, "Login Out"}};
    for (const auto &r : stationRows)
        QTest::addRow("station status %d", r.v) << station << r.v << QString::fromLatin1(r.t);

    const TextOf yesNo = callstationcells::yesNo;
    QTest::addRow("ppt/aec 0") << yesNo << 0 << "No";
    QTest::addRow("ppt/aec 1") << yesNo << 1 << "Yes";
    QTest::addRow("ppt/aec 2") << yesNo << 2 << "Yes";
    QTest::addRow("ppt/aec -1") << yesNo << -1 << "No";

    const TextOf move = callstationcells::moveModeText;
    QTest::addRow("move 1") << move << 1 << "Left Move";
    QTest::addRow("move 2") << move << 2 << "Left Move";
    QTest::addRow("move 3") << move << 3 << "Right Move";
    QTest::addRow("move 4") << move << 4 << "Up Move";
    QTest::addRow("move 5") << move << 5 << "Down Move";
    QTest::addRow("move 9 shows its code") << move << 9 << "9";

    const TextOf colour = callstationcells::colourText;
    QTest::addRow("colour 224") << colour << 224 << "Red";
    QTest::addRow("colour 28") << colour << 28 << "Green";
    QTest::addRow("colour 252") << colour << 252 << "Yellow";
    QTest::addRow("colour 3") << colour << 3 << "Red";

    const TextOf rate = capturecells::sampleRateName;
    QTest::addRow("rate 16000") << rate << 16000 << "General";
    QTest::addRow("rate 24000") << rate << 24000 << "Medium ";
    QTest::addRow("rate 32000") << rate << 32000 << "Advanced";
    QTest::addRow("rate 44100") << rate << 44100 << "General";

    const TextOf cap = capturecells::statusText;
    QTest::addRow("capture 0") << cap << 0 << "Off Line";
    QTest::addRow("capture 1") << cap << 1 << "Idle";
    QTest::addRow("capture 2") << cap << 2 << "Broadcasting";
    QTest::addRow("capture 3") << cap << 3 << "Off Line";

    const TextOf tts = ttscells::statusText;
    const struct { int v; const char *t; } ttsRows[] = {
        {0, "Off Line"}, {1, "Idle"}, {2, "Begin Work"}, {3, "Working"}, {4, "End Work"}, {5, "Off Line"}, {-1, "Off Line"}};
    for (const auto &r : ttsRows)
        QTest::addRow("tts status %d", r.v) << tts << r.v << QString::fromLatin1(r.t);
}

void TestDeviceCells::texts()
{
    QFETCH(TextOf, textOf);
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(textOf(value), text);
}

void TestDeviceCells::emergencyStatusIsRed()
{
    for (int status = -1; status <= 9; ++status)
        QCOMPARE(callstationcells::statusIsAlarm(status), status == 7);
}

QTEST_APPLESS_MAIN(TestDeviceCells)
#include "tst_devicecells.moc"
