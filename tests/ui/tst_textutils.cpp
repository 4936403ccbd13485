#include "framework/TextUtils.h"

#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <ctime>

class TestTextUtils : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // formatDateTime shows local time: pin the zone so the rows hold anywhere.
        qputenv("TZ", "UTC");
        tzset();
    }

    void validName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("letters digits blanks") << QStringLiteral("Hall 2 north") << true;
        QTest::newRow("chinese") << QStringLiteral("一楼大厅") << true;
        QTest::newRow("empty") << QString() << true;
        const QString forbidden = QStringLiteral("/\\:*?\"<>|'&");
        for (const QChar c : forbidden)
            QTest::newRow(qPrintable(QStringLiteral("holds %1").arg(c))) << (QStringLiteral("a") + c + "b") << false;
    }
    void validName()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(textutil::isValidName(name), valid);
    }

    void formats_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("duration 3725 s") << textutil::formatDuration(3725) << QStringLiteral("01:02:05");
        QTest::newRow("duration zero") << textutil::formatDuration(0) << QStringLiteral("00:00:00");
        QTest::newRow("duration hours wrap at 256") << textutil::formatDuration(257 * 3600 + 1)
                                                     << QStringLiteral("01:00:01");
        QTest::newRow("size 1.5 MiB") << textutil::formatSizeMB(1572864) << QStringLiteral("1.50MB");
        QTest::newRow("size zero") << textutil::formatSizeMB(0) << QStringLiteral("0.00MB");
        QTest::newRow("size rounds") << textutil::formatSizeMB(1048576 + 10486) << QStringLiteral("1.01MB");
        QTest::newRow("date epoch") << textutil::formatDateTime(0) << QStringLiteral("1970/1/1 0:00:00");
        QTest::newRow("date no leading zeros in date and hour")
            << textutil::formatDateTime(1704164645) << QStringLiteral("2024/1/2 3:04:05");
    }
    void formats()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void gbkRoundTrip()
    {
        const QByteArray utf8 = QStringLiteral("广播日志 log").toUtf8();
        char gbk[64];
        const int n = textutil::utf8ToGbk(utf8.constData(), static_cast<size_t>(utf8.size()), gbk, sizeof gbk);
        QCOMPARE(n, 12);  // four two-byte characters, a blank and three letters
        QCOMPARE(QByteArray(gbk, 2), QByteArray("\xb9\xe3"));
        QCOMPARE(gbk[n], '\0');
        char back[64];
        const int m = textutil::gbkToUtf8(gbk, static_cast<size_t>(n), back, sizeof back);
        QCOMPARE(QByteArray(back, m), utf8);
        QCOMPARE(textutil::gbkToUtf8(textutil::utf8ToGbk(utf8)), utf8);
    }

    void gbkSingleByteEuroGrowsToThreeBytes()
    {
        // GBK 0x80 is the euro sign: one byte in, three bytes of UTF-8 out.
        const QByteArray euro = QStringLiteral("€").toUtf8();
        QCOMPARE(textutil::gbkToUtf8(QByteArray("\x80")), euro);
        QCOMPARE(textutil::gbkToUtf8(QByteArray("\x80\x80" "a")), euro + euro + "a");
        QCOMPARE(textutil::utf8ToGbk(euro + euro), QByteArray("\x80\x80"));
    }

    void gbkFailures()
    {
        const QByteArray utf8 = QStringLiteral("广播").toUtf8();
        char small[4];  // needs 4 bytes plus the terminating zero
        std::memset(small, 'x', sizeof small);
        QCOMPARE(textutil::utf8ToGbk(utf8.constData(), static_cast<size_t>(utf8.size()), small, sizeof small), -1);
        QCOMPARE(QByteArray(small, sizeof small), QByteArray(4, '\0'));
        const QByteArray broken("\xe5\xb9", 2);  // a cut UTF-8 sequence
        char out[16];
        QCOMPARE(textutil::utf8ToGbk(broken.constData(), 2, out, sizeof out), -1);
        QVERIFY(textutil::utf8ToGbk(broken).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestTextUtils)
#include "tst_textutils.moc"
