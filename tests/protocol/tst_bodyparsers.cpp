#include "protocol/OvLevel.h"
#include "util/BodyParsers.h"

#include <QtTest>

// Hostile bodies must read as "does not parse", never crash or throw.
class TestBodyParsers : public QObject
{
    Q_OBJECT
private slots:
    void json_data();
    void json();
    void deepXmlIsRefused();
    void writerIsCompactSortedUtf8();
};

void TestBodyParsers::json_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("parses");
    QTest::newRow("array of string objects") << QByteArray("[{\"id\":\"1\",\"name\":\"a\"}]") << true;
    QTest::newRow("object") << QByteArray("{\"SystemTime\":\"1700000000\"}") << true;
    QTest::newRow("garbage") << QByteArray("{not json") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("deep arrays") << QByteArray(100000, '[') << false;
    QTest::newRow("deep objects") << QByteArray("{\"a\":").repeated(20000) << false;
}

void TestBodyParsers::json()
{
    QFETCH(QByteArray, text);
    Json::Value v;
    QTEST(body::parseJson(text, v), "parses");
}

void TestBodyParsers::deepXmlIsRefused()
{
    const QByteArray deep = "<?xml version=\"1.0\"?>" + QByteArray("<a>").repeated(200000)
        + QByteArray("</a>").repeated(200000);
    tinyxml2::XMLDocument doc;
    QVERIFY(!body::parseXml(deep, doc));
    std::vector<OvLevel> levels;
    QVERIFY(!readLevelList("<?xml?><LevelList>" + QByteArray("<b>").repeated(100000), levels));
}

void TestBodyParsers::writerIsCompactSortedUtf8()
{
    Json::Value v(Json::objectValue);
    v["name"] = QStringLiteral("大厅").toStdString();
    v["id"] = "12";
    v["Zone"] = "b";
    QCOMPARE(body::writeJson(v), QStringLiteral("{\"Zone\":\"b\",\"id\":\"12\",\"name\":\"大厅\"}\n").toUtf8());
}

QTEST_APPLESS_MAIN(TestBodyParsers)
#include "tst_bodyparsers.moc"
