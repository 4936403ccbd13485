#include "protocol/StreamFramer.h"

#include <QtTest>

#include <algorithm>
#include <cstring>

namespace {

QByteArrayList feedAll(StreamFramer &framer, const QByteArrayList &chunks, StreamFramer::Status *last = nullptr)
{
    QByteArrayList out;
    StreamFramer::Status status = StreamFramer::Status::Ok;
    for (const QByteArray &c : chunks) {
        status = framer.feed(c, [&out](QByteArray &&h, QByteArray &&b) { out.append(h + b); });
        if (status != StreamFramer::Status::Ok)
            break;
    }
    if (last)
        *last = status;
    return out;
}

// Frames the bytes the way the receive loop does: while a body is in
// progress and nothing else is buffered, a read goes straight into the
// message (at most `directRead` bytes at a time); otherwise the bytes are fed
// as one chunk.
QByteArrayList receiveLikeTheLoop(StreamFramer &framer, const QByteArray &bytes, qsizetype directRead,
                                  int *directReads = nullptr)
{
    QByteArrayList out;
    const StreamFramer::Handler collect = [&out](QByteArray &&h, QByteArray &&b) { out.append(h + b); };
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype room = 0;
        if (char *direct = framer.bodySpace(room)) {
            const qsizetype n = std::min({room, directRead, bytes.size() - at});
            std::memcpy(direct, bytes.constData() + at, static_cast<size_t>(n));
            framer.commitBody(n, collect);
            at += n;
            if (directReads)
                ++*directReads;
        } else {
            if (framer.feed(bytes.constData() + at, bytes.size() - at, collect) != StreamFramer::Status::Ok)
                break;
            at = bytes.size();
        }
    }
    return out;
}

const QByteArray kAnswer = "DBP/1.0 200 OK\r\nCSeq: 5\r\nContent-Length:5\r\n\r\nhello";
const QByteArray kNoLength = "DBP/1.0 200 OK\r\nCSeq: 6\r\n\r\n";
const QByteArray kNotify = "POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:ipamp\r\nContent-Length: 12\r\n\r\n[{\"id\":\"1\"}]";

} // namespace

class TestStreamFramer : public QObject
{
    Q_OBJECT
private slots:
    void chunking_data();
    void chunking();
    void splitAtEveryByte();
    void oversized_data();
    void oversized();
    void largeBodyArrivesWhole();
    void directReadAtEverySplit();
    void directReadOffered_data();
    void directReadOffered();
    void directReadOfABodyAtTheCap();
};

void TestStreamFramer::chunking_data()
{
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<QByteArrayList>("messages");
    QTest::addColumn<qsizetype>("leftOver");

    QTest::newRow("two whole and half a third")
        << QByteArrayList{kAnswer + kNotify + kAnswer.left(20)} << QByteArrayList{kAnswer, kNotify}
        << qsizetype(20);
    QTest::newRow("third completed by next chunk")
        << QByteArrayList{kAnswer + kNotify + kAnswer.left(20), kAnswer.mid(20)}
        << QByteArrayList{kAnswer, kNotify, kAnswer} << qsizetype(0);
    QTest::newRow("terminator split CRLF|CRLF")
        << QByteArrayList{"DBP/1.0 200 OK\r\nCSeq: 1\r\n", "\r\n"}
        << QByteArrayList{"DBP/1.0 200 OK\r\nCSeq: 1\r\n\r\n"} << qsizetype(0);
    QTest::newRow("terminator split CR|LFCRLF")
        << QByteArrayList{"DBP/1.0 200 OK\r\nCSeq: 1\r", "\n\r\n"}
        << QByteArrayList{"DBP/1.0 200 OK\r\nCSeq: 1\r\n\r\n"} << qsizetype(0);
    QTest::newRow("no content length then next message")
        << QByteArrayList{kNoLength + kAnswer} << QByteArrayList{kNoLength, kAnswer} << qsizetype(0);
    QTest::newRow("blank after colon counts the same")
        << QByteArrayList{kNotify} << QByteArrayList{kNotify} << qsizetype(0);
    QTest::newRow("non-numeric length is zero")
        << QByteArrayList{"POST DBP/1.0\r\nContent-Length:abc\r\n\r\n" + kAnswer}
        << QByteArrayList{"POST DBP/1.0\r\nContent-Length:abc\r\n\r\n", kAnswer} << qsizetype(0);
    QTest::newRow("negative length is zero")
        << QByteArrayList{"POST DBP/1.0\r\nContent-Length:-9\r\n\r\n" + kNoLength}
        << QByteArrayList{"POST DBP/1.0\r\nContent-Length:-9\r\n\r\n", kNoLength} << qsizetype(0);
    QTest::newRow("length header anywhere in the block")
        << QByteArrayList{"POST DBP/1.0\r\nX: Content-Length:2\r\n\r\nab"}
        << QByteArrayList{"POST DBP/1.0\r\nX: Content-Length:2\r\n\r\nab"} << qsizetype(0);
    QTest::newRow("body waits for its bytes")
        << QByteArrayList{kAnswer.left(kAnswer.size() - 1)} << QByteArrayList{} << qsizetype(kAnswer.size() - 1);
    QTest::newRow("header never ends")
        << QByteArrayList{"DBP/1.0 200 OK\r\nCSeq: 1\r\n"} << QByteArrayList{} << qsizetype(25);
}

void TestStreamFramer::chunking()
{
    QFETCH(QByteArrayList, chunks);
    QFETCH(QByteArrayList, messages);
    QFETCH(qsizetype, leftOver);
    StreamFramer framer;
    QCOMPARE(feedAll(framer, chunks), messages);
    QCOMPARE(framer.buffered(), leftOver);
}

void TestStreamFramer::splitAtEveryByte()
{
    const QByteArray stream = kAnswer + kNoLength + kNotify + kAnswer;
    const QByteArrayList expected{kAnswer, kNoLength, kNotify, kAnswer};
    for (int cut = 0; cut <= stream.size(); ++cut) {
        StreamFramer framer;
        QCOMPARE(feedAll(framer, {stream.left(cut), stream.mid(cut)}), expected);
        QCOMPARE(framer.buffered(), qsizetype(0));
    }
    // And one byte at a time.
    StreamFramer framer;
    QByteArrayList bytes;
    for (char c : stream)
        bytes.append(QByteArray(1, c));
    QCOMPARE(feedAll(framer, bytes), expected);
}

void TestStreamFramer::oversized_data()
{
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<int>("deliveredBefore");

    QTest::newRow("content length of four billion")
        << QByteArrayList{kAnswer + "POST DBP/1.0\r\nContent-Length:4000000000\r\n\r\nxx"} << 1;
    QTest::newRow("body just over the cap")
        << QByteArrayList{"POST DBP/1.0\r\nContent-Length:"
                          + QByteArray::number(StreamFramer::kMaxBodyBytes + 1) + "\r\n\r\n"}
        << 0;
    QByteArray endless = "POST DBP/1.0\r\n";
    while (endless.size() <= StreamFramer::kMaxHeaderBytes)
        endless += "X-Filler: 0123456789012345678901234567890123456789\r\n";
    QTest::newRow("header block that never ends") << QByteArrayList{endless.left(40000), endless.mid(40000)} << 0;
    QTest::newRow("header block over the cap but terminated") << QByteArrayList{endless + "\r\n"} << 0;
}

void TestStreamFramer::oversized()
{
    QFETCH(QByteArrayList, chunks);
    QFETCH(int, deliveredBefore);
    StreamFramer framer;
    StreamFramer::Status status;
    QCOMPARE(feedAll(framer, chunks, &status).size(), deliveredBefore);
    QCOMPARE(status, StreamFramer::Status::Oversized);
    // A broken stream stays broken until the connection starts anew.
    QVERIFY(framer.feed(kAnswer, [](QByteArray &&, QByteArray &&) { QFAIL("delivered after overflow"); })
            == StreamFramer::Status::Oversized);
    framer.reset();
    QCOMPARE(feedAll(framer, {kAnswer}), QByteArrayList{kAnswer});
}

void TestStreamFramer::largeBodyArrivesWhole()
{
    const QByteArray body(3 * 1024 * 1024 + 7, 'r');
    const QByteArray message = "DBP/1.0 200 OK\r\nCSeq: 9\r\nContent-Length:" + QByteArray::number(body.size())
        + "\r\n\r\n" + body;
    QByteArrayList chunks;
    for (int at = 0; at < message.size(); at += 65536)
        chunks.append(message.mid(at, 65536));
    chunks.last() += kNoLength;
    StreamFramer framer;
    const QByteArrayList out = feedAll(framer, chunks);
    QCOMPARE(out.size(), 2);
    QVERIFY(out.at(0) == message);
    QCOMPARE(out.at(1), kNoLength);
}

void TestStreamFramer::directReadAtEverySplit()
{
    const QByteArray stream = kAnswer + kNoLength + kNotify + kAnswer;
    const QByteArrayList expected{kAnswer, kNoLength, kNotify, kAnswer};
    int directReads = 0;
    for (int cut = 0; cut <= stream.size(); ++cut) {
        for (qsizetype directRead : {qsizetype(1), qsizetype(3), qsizetype(4096)}) {
            StreamFramer framer;
            QByteArrayList out;
            QCOMPARE(framer.feed(stream.left(cut), [&out](QByteArray &&h, QByteArray &&b) { out.append(h + b); }),
                     StreamFramer::Status::Ok);
            out += receiveLikeTheLoop(framer, stream.mid(cut), directRead, &directReads);
            QVERIFY2(out == expected, qPrintable(QStringLiteral("cut at %1, reads of %2").arg(cut).arg(directRead)));
            QCOMPARE(framer.buffered(), qsizetype(0));
        }
    }
    // The bodies (5 and 12 bytes) were read straight into their messages.
    QVERIFY(directReads > 0);
}

void TestStreamFramer::directReadOffered_data()
{
    QTest::addColumn<QByteArray>("fed");
    QTest::addColumn<qsizetype>("room");

    const int bodyAt = kAnswer.indexOf("\r\n\r\n") + 4;
    QTest::newRow("nothing yet") << QByteArray() << qsizetype(0);
    QTest::newRow("header incomplete") << kAnswer.left(bodyAt - 1) << qsizetype(0);
    QTest::newRow("header complete") << kAnswer.left(bodyAt) << qsizetype(5);
    QTest::newRow("body partly in") << kAnswer.left(bodyAt + 2) << qsizetype(3);
    QTest::newRow("between messages") << kAnswer << qsizetype(0);
    QTest::newRow("message without a body") << kNoLength << qsizetype(0);
    QTest::newRow("zero length") << QByteArray("POST DBP/1.0\r\nContent-Length:0\r\n\r\n") << qsizetype(0);
    QTest::newRow("next header partly in") << kAnswer + kNotify.left(10) << qsizetype(0);
    QTest::newRow("body over the cap")
        << QByteArray("POST DBP/1.0\r\nContent-Length:" + QByteArray::number(StreamFramer::kMaxBodyBytes + 1)
                      + "\r\n\r\n")
        << qsizetype(0);
}

void TestStreamFramer::directReadOffered()
{
    QFETCH(QByteArray, fed);
    QFETCH(qsizetype, room);
    StreamFramer framer;
    framer.feed(fed, [](QByteArray &&, QByteArray &&) {});
    qsizetype capacity = -1;
    char *direct = framer.bodySpace(capacity);
    QCOMPARE(capacity, room);
    QCOMPARE(direct != nullptr, room > 0);
}

void TestStreamFramer::directReadOfABodyAtTheCap()
{
    // A body of exactly the cap is still taken, and read straight into its
    // message; only the last bytes are written here, so little memory is touched.
    StreamFramer framer;
    QByteArrayList out;
    const StreamFramer::Handler collect = [&out](QByteArray &&h, QByteArray &&b) {
        out.append(h);
        out.append(b.right(5));
        out.append(QByteArray::number(b.size()));
    };
    const QByteArray header = "DBP/1.0 200 OK\r\nCSeq: 9\r\nContent-Length:"
        + QByteArray::number(StreamFramer::kMaxBodyBytes) + "\r\n\r\n";
    QCOMPARE(framer.feed(header, collect), StreamFramer::Status::Ok);
    qsizetype room = 0;
    QVERIFY(framer.bodySpace(room));
    QCOMPARE(room, qsizetype(StreamFramer::kMaxBodyBytes));
    framer.commitBody(room - 5, collect);
    char *last = framer.bodySpace(room);
    QVERIFY(last);
    QCOMPARE(room, qsizetype(5));
    std::memcpy(last, "hello", 5);
    framer.commitBody(5, collect);
    QCOMPARE(out, (QByteArrayList{header, "hello", QByteArray::number(StreamFramer::kMaxBodyBytes)}));
    QCOMPARE(framer.buffered(), qsizetype(0));
    // The next message arrives through the ordinary path.
    QCOMPARE(receiveLikeTheLoop(framer, kAnswer, 4096), QByteArrayList{kAnswer});
}

QTEST_APPLESS_MAIN(TestStreamFramer)
#include "tst_streamframer.moc"
