#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "util/BodyParsers.h"

#include <QtTest>

// The row reader every family's lists and change pushes go through.
class TestRowSplitter : public QObject
{
    Q_OBJECT
private slots:
    void bodies_data();
    void bodies();
    void everyTruncationIsRefused();
    void decimalValues_data();
    void decimalValues();
    void memberTexts();
    void sameRowsAsTheGeneralParser_data();
    void sameRowsAsTheGeneralParser();
};

namespace {
QByteArrayList namesOf(const QByteArray &body, bool *ok)
{
    QByteArrayList names;
    *ok = rows::forEachRow(body, [&names](const Json::Value &row) { names.append(rows::text(row, "name")); });
    return names;
}
} // namespace

void TestRowSplitter::bodies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArrayList>("names");

    QTest::newRow("empty array") << QByteArray("[]") << true << QByteArrayList();
    QTest::newRow("blanks around") << QByteArray(" \r\n[ ]\n") << true << QByteArrayList();
    QTest::newRow("two rows in order") << QByteArray(R"([{"name":"b"},{"name":"a"}])") << true
                                       << QByteArrayList{"b", "a"};
    QTest::newRow("blanks between rows") << QByteArray("[ {\"name\":\"x\"} ,\n {\"name\":\"y\"} ]\n") << true
                                         << QByteArrayList{"x", "y"};
    QTest::newRow("braces and quotes inside a text")
        << QByteArray(R"([{"name":"a}{\"]["},{"name":"b"}])") << true << QByteArrayList{"a}{\"][", "b"};
    QTest::newRow("slashes inside texts") << QByteArray(R"([{"name":"a/b"},{"x":1,"name":"/*c*/"}])") << true
                                          << QByteArrayList{"a/b", "/*c*/"};
    QTest::newRow("nested value kept inside its row") << QByteArray(R"([{"x":{"y":[1,{}]},"name":"n"}])") << true
                                                      << QByteArrayList{"n"};
    QTest::newRow("utf-8 name") << QByteArray("[{\"name\":\"\xe6\x95\x99\xe5\xae\xa4\"}]") << true
                                << QByteArrayList{"\xe6\x95\x99\xe5\xae\xa4"};

    QTest::newRow("empty body") << QByteArray() << false << QByteArrayList();
    QTest::newRow("not json") << QByteArray("select * from ipamp") << false << QByteArrayList();
    QTest::newRow("object at top") << QByteArray(R"({"name":"a"})") << false << QByteArrayList();
    QTest::newRow("element not an object") << QByteArray(R"([{"name":"a"},3])") << false << QByteArrayList();
    QTest::newRow("trailing comma") << QByteArray(R"([{"name":"a"},])") << false << QByteArrayList();
    QTest::newRow("missing comma") << QByteArray(R"([{"name":"a"}{"name":"b"}])") << false << QByteArrayList();
    QTest::newRow("text after the array") << QByteArray(R"([{"name":"a"}] x)") << false << QByteArrayList();
    QTest::newRow("broken row") << QByteArray(R"([{"name":"a"},{"name":}])") << false << QByteArrayList();
    // Found by fuzzing against a strict JSON parser: these reached the batch
    // parser, which took them although they are not JSON.
    QTest::newRow("trailing comma inside a row") << QByteArray("[ {\n \"name\" : \"1\" \r, \r } ]\n") << false
                                                 << QByteArrayList();
    QTest::newRow("trailing comma inside a nested value")
        << QByteArray(R"([{"name":"a","x":[1,]}])") << false << QByteArrayList();
    QTest::newRow("comment inside a row") << QByteArray(R"([{"name":"a" /* c */}])") << false << QByteArrayList();
    QTest::newRow("comment hiding a brace") << QByteArray(R"([{"name":"a" /* } */ }])") << false
                                            << QByteArrayList();
    QTest::newRow("zero byte after the array") << QByteArray("[{\"name\":\"a\"}]\0x", 16) << false
                                               << QByteArrayList();
    QTest::newRow("mismatched brackets") << QByteArray(R"([{"name":[}]])") << false << QByteArrayList();
}

void TestRowSplitter::bodies()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, ok);
    QFETCH(QByteArrayList, names);
    bool parsed = !ok;
    const QByteArrayList got = namesOf(body, &parsed);
    QCOMPARE(parsed, ok);
    if (ok)
        QCOMPARE(got, names);
}

void TestRowSplitter::everyTruncationIsRefused()
{
    const QByteArray body = R"([{"terminalId":"1","name":"a\"}"},{"terminalId":"2","name":"b"}])";
    for (int n = 0; n < body.size(); ++n) {
        bool parsed = true;
        namesOf(body.left(n), &parsed);
        QVERIFY2(!parsed, qPrintable(QStringLiteral("accepted the first %1 bytes").arg(n)));
    }
}

void TestRowSplitter::decimalValues_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("plain") << QByteArray("60") << 60;
    QTest::newRow("leading blanks") << QByteArray("  7") << 7;
    QTest::newRow("negative") << QByteArray("-1") << -1;
    QTest::newRow("plus sign") << QByteArray("+4") << 4;
    QTest::newRow("digits then text") << QByteArray("12abc") << 12;
    QTest::newRow("not a number") << QByteArray("idle") << 0;
    QTest::newRow("too large clamps") << QByteArray("99999999999999999999") << std::numeric_limits<int>::max();
    QTest::newRow("too small clamps") << QByteArray("-99999999999") << std::numeric_limits<int>::min();
}

void TestRowSplitter::decimalValues()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(rows::decimalValue(text), value);
}

void TestRowSplitter::memberTexts()
{
    bool ok = false;
    Json::Value first;
    ok = rows::forEachRow(R"([{"a":"5","b":7,"c":null,"d":{"x":"1"}}])",
                          [&first](const Json::Value &row) { first = row; });
    QVERIFY(ok);
    QCOMPARE(rows::text(first, "a"), QByteArray("5"));
    QCOMPARE(rows::integer(first, "b"), 7);
    QCOMPARE(rows::text(first, "c"), QByteArray());
    QCOMPARE(rows::text(first, "d"), QByteArray());
    QCOMPARE(rows::text(first, "missing"), QByteArray());
    QVERIFY(rows::has(first, "c"));
    QVERIFY(!rows::has(first, "missing"));
    const QByteArray withZero("a\0b", 3);
    QCOMPARE(rows::jsonText(withZero).asString().size(), size_t(3));
}

void TestRowSplitter::sameRowsAsTheGeneralParser_data()
{
    // Flat rows take a fast reader; whatever it reads must be exactly what
    // the general parser reads, and rows it does not take must still come out.
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("plain") << QByteArray(R"([{"terminalId":"1","name":"Lobby"},{"terminalId":"2","name":""}])");
    QTest::newRow("utf8 names") << QStringLiteral(R"([{"name":"东楼大厅","ip":"10.0.0.1"}])").toUtf8();
    QTest::newRow("escapes") << QByteArray(R"([{"name":"a\"b\\c\/d\b\f\n\r\t"}])");
    QTest::newRow("unicode escapes") << QByteArray(R"([{"name":"\u4e1c\u697c \u00e9 \ud83d\ude00 \u0041"}])");
    QTest::newRow("embedded zero") << QByteArray(R"([{"name":"a\u0000b"}])");
    QTest::newRow("blanks everywhere") << QByteArray("[ {\n \"a\" : \"1\" ,\t\"b\":\"2\" } , { } ]");
    QTest::newRow("duplicate member keeps the last") << QByteArray(R"([{"a":"1","a":"2"}])");
    QTest::newRow("numbers and nesting mixed in")
        << QByteArray(R"([{"a":"1"},{"a":2,"b":[1,{"c":"}"}]},{"a":"3"},{"a":null,"t":true}])");
    QTest::newRow("lone low surrogate") << QByteArray(R"([{"a":"\udc00"}])");
    QTest::newRow("raw control character") << QByteArray("[{\"a\":\"x\ty\x01\"}]");
    QByteArray many = "[";
    for (int i = 0; i < 700; ++i)
        many += (i ? "," : "") + (i % 97 == 5 ? QByteArray("{\"id\":") + QByteArray::number(i) + "}"
                                             : "{\"id\":\"" + QByteArray::number(i) + "\"}");
    QTest::newRow("batches with odd rows") << many + "]";
}

void TestRowSplitter::sameRowsAsTheGeneralParser()
{
    QFETCH(QByteArray, body);
    Json::Value whole;
    QVERIFY(body::parseJson(body, whole));
    Json::Value visited(Json::arrayValue);
    QVERIFY(rows::forEachRow(body, [&visited](const Json::Value &row) { visited.append(row); }));
    QCOMPARE(visited.size(), whole.size());
    for (Json::ArrayIndex i = 0; i < whole.size(); ++i)
        QVERIFY2(visited[i] == whole[i], qPrintable(QString("row %1 differs").arg(i)));
}

QTEST_APPLESS_MAIN(TestRowSplitter)
#include "tst_rowsplitter.moc"
