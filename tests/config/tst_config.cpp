#include "config/CommandLine.h"
#include "config/ConfigFile.h"
#include "config/IniStore.h"
#include "config/LoginConfig.h"
#include "config/StartupSettings.h"

#include <QTemporaryDir>
#include <QtTest>

#include <thread>

namespace {
QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}
} // namespace

class TestConfig : public QObject
{
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void iniReading_data();
    void iniReading();
    void iniWritesBackWhatItCannotParse();
    void iniReadsTheSameAfterWritingBack_data();
    void iniReadsTheSameAfterWritingBack();
    void startupPorts_data();
    void startupPorts();
    void loginSaveRule_data();
    void loginSaveRule();
    void saveIsAtomic();
    void wholeValues_data();
    void wholeValues();
    void lineBreakIsRefused();
    void noStaleCopyIsWrittenBack();
    void concurrentWritersKeepEveryKey();
};

void TestConfig::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("value");
    const QStringList full{"console", "-serverip", "10.0.0.1", "-user", "admin", "-password", "pw", "-max", "0"};
    QTest::newRow("value") << full << "-serverip" << true << "10.0.0.1";
    QTest::newRow("max zero") << full << "-max" << true << "0";
    QTest::newRow("absent") << QStringList{"console"} << "-user" << false << "";
    QTest::newRow("followed by option gives empty")
        << QStringList{"console", "-serverip", "-user", "a"} << "-serverip" << true << "";
    QTest::newRow("last argument gives empty") << QStringList{"console", "-password"} << "-password" << true << "";
    QTest::newRow("exact and case-sensitive") << QStringList{"console", "-User", "a", "-user2", "b"} << "-user"
                                              << false << "";
    QTest::newRow("first occurrence decides")
        << QStringList{"console", "-user", "a", "-user", "b"} << "-user" << true << "a";
}

void TestConfig::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(QString, option);
    commandline::setArguments(args);
    const std::optional<QString> v = commandLineValue(option);
    QTEST(v.has_value(), "present");
    QTEST(v.value_or(QString()), "value");
}

void TestConfig::iniReading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("value");
    const QByteArray ini = "User=ignored\n[Setting]\n  ServerIp = 192.168.1.10\r\n\tUser=admin   \n"
                           "Title=Campus PA\n[Other]\nUser=x\n";
    QTest::newRow("blanks around =") << ini << QByteArray("Setting") << QByteArray("ServerIp") << true
                                     << QByteArray("192.168.1.10");
    QTest::newRow("tab indented, trailing blanks") << ini << QByteArray("Setting") << QByteArray("User") << true
                                                   << QByteArray("admin");
    QTest::newRow("value ends at blank") << ini << QByteArray("Setting") << QByteArray("Title") << true
                                         << QByteArray("Campus");
    QTest::newRow("other section") << ini << QByteArray("Other") << QByteArray("User") << true << QByteArray("x");
    QTest::newRow("case-sensitive key") << ini << QByteArray("Setting") << QByteArray("user") << false
                                        << QByteArray();
    QTest::newRow("missing section") << ini << QByteArray("None") << QByteArray("User") << false << QByteArray();
}

void TestConfig::iniReading()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    IniStore store;
    store.loadText(text);
    const auto v = store.value(section, key);
    QTEST(v.has_value(), "found");
    QTEST(v.value_or(QByteArray()), "value");
}

void TestConfig::iniWritesBackWhatItCannotParse()
{
    IniStore store;
    store.loadText("; installation console\n[Setting]\nTitle=Campus PA Centre\nServerIp=10.0.0.1\n");
    store.setValue("Setting", "ServerIp", "10.0.0.2");
    store.setValue("Setting", "ServerPort", 8999);
    store.setValue("New", "Key", "v");
    QCOMPARE(store.text(), QByteArray("; installation console\n[Setting]\nTitle=Campus PA Centre\nServerIp=10.0.0.2\n"
                                      "ServerPort=8999\n\n[New]\nKey=v\n\n"));
}

void TestConfig::iniReadsTheSameAfterWritingBack_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("plain") << QByteArray("[Setting]\nUser=admin\n") << QByteArray("admin");
    QTest::newRow("crlf line end") << QByteArray("[Setting]\r\nUser=admin\r\n") << QByteArray("admin");
    QTest::newRow("carriage return before trailing blanks")
        << QByteArray("[Setting]\nUser=admin\r \t\n") << QByteArray("admin");
    QTest::newRow("carriage returns and blanks mixed at the end")
        << QByteArray("[Setting]\nUser=admin\t\r\r \r\n") << QByteArray("admin");
    QTest::newRow("carriage return before the value")
        << QByteArray("[Setting]\nUser=\r admin\n") << QByteArray("admin");
}

// Whatever "config.ini" holds, the file the console writes back reads the
// same values, and writing it once more changes nothing.
void TestConfig::iniReadsTheSameAfterWritingBack()
{
    QFETCH(QByteArray, text);
    IniStore first;
    first.loadText(text);
    QTEST(first.value("Setting", "User").value_or("(none)"), "value");
    const QByteArray written = first.text();
    IniStore second;
    second.loadText(written);
    QTEST(second.value("Setting", "User").value_or("(none)"), "value");
    QCOMPARE(second.text(), written);
}

void TestConfig::startupPorts_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("mySql");
    QTest::addColumn<int>("record");
    QTest::newRow("no file") << QByteArray() << 8666 << 8906;
    QTest::newRow("zero keeps default") << QByteArray("[Setting]\nMySqlPort=0\nRecordDownPort=9100\n") << 8666 << 9100;
    QTest::newRow("both set") << QByteArray("[Setting]\nMySqlPort=3306\nRecordDownPort=8907\n") << 3306 << 8907;
}

void TestConfig::startupPorts()
{
    QFETCH(QByteArray, ini);
    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    if (!ini.isEmpty())
        writeFile(path, ini);
    const StartupSettings s = StartupSettings::read(path);
    QTEST(s.mySqlPort, "mySql");
    QTEST(s.recordDownPort, "record");
}

void TestConfig::loginSaveRule_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("ip");
    QTest::addColumn<int>("port");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<bool>("rewritten");
    QTest::addColumn<QByteArray>("after");
    const QByteArray stored = "[Setting]\nServerIp=10.0.0.1\nServerPort=8999\nUser=admin\nPasswd=secret\n";
    QTest::newRow("changed address rewrites, keeps old Passwd")
        << stored << QByteArray("10.0.0.2") << 9000 << QByteArray("admin") << true
        << QByteArray("[Setting]\nServerIp=10.0.0.2\nServerPort=9000\nUser=admin\nPasswd=secret\n\n");
    QTest::newRow("changed user rewrites") << stored << QByteArray("10.0.0.1") << 8999 << QByteArray("op") << true
                                           << QByteArray("[Setting]\nServerIp=10.0.0.1\nServerPort=8999\nUser=op\n"
                                                         "Passwd=secret\n\n");
    QTest::newRow("changed port alone does not") << stored << QByteArray("10.0.0.1") << 1 << QByteArray("admin")
                                                 << false << stored;
    QTest::newRow("no stored keys: store only") << QByteArray("[Setting]\nTitle=x\n") << QByteArray("10.0.0.3")
                                                << 8999 << QByteArray("admin") << false
                                                << QByteArray("[Setting]\nTitle=x\n");
}

void TestConfig::loginSaveRule()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, ip);
    QFETCH(int, port);
    QFETCH(QByteArray, user);
    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    writeFile(path, before);
    LoginConfig config;
    config.load(path);
    QCOMPARE(config.password, before.contains("Passwd") ? QByteArray("secret") : QByteArray());
    QTEST(config.storeAndSave(user, "typedpw", ip, port), "rewritten");
    QTEST(readFile(path), "after");
    QCOMPARE(config.serverIp, ip);
    QCOMPARE(config.serverPort, port);
}

void TestConfig::saveIsAtomic()
{
    // The file is replaced whole by a rename; a write that cannot happen is
    // reported, and no temporary file is left behind.
    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    writeFile(path, "[Setting]\nUser=admin\n");
    IniStore store;
    store.loadText("[Setting]\nUser=other\n");
    QVERIFY(store.save(path));
    QCOMPARE(readFile(path), QByteArray("[Setting]\nUser=other\n\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"config.ini"});
    QVERIFY(!store.save(dir.filePath("missing-dir/config.ini")));
}

void TestConfig::wholeValues_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("token");  // what the login keys' reading gives
    QTest::newRow("title with blanks") << QByteArray("Title") << QStringLiteral("南区 广播 中心")
                                       << QStringLiteral("南区").toUtf8();
    QTest::newRow("media path with blanks") << QByteArray("MediaLastFilePath")
                                            << QStringLiteral("/home/值班员/My Music/早操 音乐.mp3")
                                            << QStringLiteral("/home/值班员/My").toUtf8();
    QTest::newRow("log path with backslashes and a tab")
        << QByteArray("LogLastFilePath") << QStringLiteral("D:\\日志 备份\\a\tb; c,d=e.xls")
        << QStringLiteral("D:\\日志").toUtf8();
    QTest::newRow("no blank") << QByteArray("Title") << QStringLiteral("管理中心") << QStringLiteral("管理中心").toUtf8();
}

void TestConfig::wholeValues()
{
    QFETCH(QByteArray, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    writeFile(path, "; site notes\n[Setting]\nServerIp=10.0.0.1\nUser=admin\n");
    QVERIFY(configfile::writeText(path, "Setting", key, value));
    QCOMPARE(configfile::text(path, "Setting", key).value_or("<missing>"), value);
    QTEST(configfile::value(path, "Setting", key).value_or(QByteArray()), "token");
    const QByteArray raw = readFile(path);
    QVERIFY2(raw.contains(key + '=' + value.toUtf8() + '\n'), raw.constData());
    QVERIFY(raw.startsWith("; site notes\n"));
    QCOMPARE(configfile::value(path, "Setting", "ServerIp").value_or("<missing>"), QByteArray("10.0.0.1"));
    // Written again over itself: still the same, one line.
    QVERIFY(configfile::writeText(path, "Setting", key, value));
    QCOMPARE(readFile(path).count(key + '='), 1);
    QCOMPARE(configfile::text(path, "Setting", key).value_or("<missing>"), value);
}

void TestConfig::lineBreakIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    writeFile(path, "[Setting]\nTitle=old\n");
    QVERIFY(!configfile::writeText(path, "Setting", "Title", QStringLiteral("a\n[Setting]\nUser=x")));
    QCOMPARE(readFile(path), QByteArray("[Setting]\nTitle=old\n"));
    // A missing file is created by the first value.
    const QString fresh = dir.filePath("new.ini");
    QVERIFY(configfile::writeText(fresh, "Setting", "Title", QStringLiteral("新 标题")));
    QCOMPARE(readFile(fresh), QStringLiteral("[Setting]\nTitle=新 标题\n\n").toUtf8());
}

void TestConfig::noStaleCopyIsWrittenBack()
{
    // The login settings are read at start-up; the title and a last-used
    // path are written later, and the file is edited by hand meanwhile. The
    // login's own save keeps all of them.
    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    writeFile(path, "[Setting]\nServerIp=10.0.0.1\nServerPort=8999\nUser=admin\nPasswd=secret\n");
    LoginConfig config;
    config.load(path);
    QVERIFY(configfile::writeText(path, "Setting", "Title", QStringLiteral("北区 广播")));
    QVERIFY(configfile::writeText(path, "Setting", "MediaLastFilePath", QStringLiteral("/srv/音乐 库")));
    QVERIFY(configfile::update(path, [](IniStore &store) {
        store.setValue("Setting", "MySqlPort", 3307);
        return true;
    }));
    QVERIFY(config.storeAndSave("admin", "pw", "10.0.0.2", 9000));
    QCOMPARE(readFile(path), QStringLiteral("[Setting]\nServerIp=10.0.0.2\nServerPort=9000\nUser=admin\n"
                                            "Passwd=secret\nTitle=北区 广播\nMediaLastFilePath=/srv/音乐 库\n"
                                            "MySqlPort=3307\n\n")
                                 .toUtf8());
    // The rule compares with the file as it is now: the address stored
    // there is the new one, so saving it again does not rewrite.
    QVERIFY(!config.storeAndSave("admin", "pw", "10.0.0.2", 9001));
    QCOMPARE(StartupSettings::read(path).mySqlPort, 3307);
}

void TestConfig::concurrentWritersKeepEveryKey()
{
    // Each change reads the file anew under one lock, so two threads that
    // write different keys lose none of them.
    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    constexpr int kEach = 40;
    const auto writer = [&path](const char *prefix) {
        for (int i = 0; i < kEach; ++i)
            configfile::writeText(path, "Setting", prefix + QByteArray::number(i), QStringLiteral("v %1").arg(i));
    };
    std::thread a(writer, "A");
    std::thread b(writer, "B");
    a.join();
    b.join();
    for (int i = 0; i < kEach; ++i) {
        for (const char *prefix : {"A", "B"}) {
            const QByteArray key = prefix + QByteArray::number(i);
            QCOMPARE(configfile::text(path, "Setting", key).value_or("<missing>"), QStringLiteral("v %1").arg(i));
        }
    }
}

QTEST_APPLESS_MAIN(TestConfig)
#include "tst_config.moc"
