#include "framework/ModalRunner.h"
#include "framework/OvAdvancedCtr.h"
#include "framework/OvMessageBox.h"
#include "framework/OvTermTbCtrl.h"
#include "view/LevelHolder.h"
#include "view/OvQtViewCtrl.h"
#include "view/OvQtViewSignal.h"
#include "view/ViewBinder.h"
#include "view/ViewDataHolder.h"
#include "view/ViewRegistry.h"

#include <QSignalSpy>
#include <QtTest>

#include <thread>

namespace {
OvLevel level(int id, int type, int lv)
{
    OvLevel l;
    l.id = id;
    l.type = static_cast<qint16>(type);
    l.level = static_cast<quint16>(lv);
    l.name = "level";
    return l;
}

struct Record
{
    int id;
};

// Counts the permission messages and answers them.
struct Messages
{
    QStringList texts;
    bool okOnly = true;
    modal::Hook previous;
    Messages()
    {
        previous = modal::setHook([this](QDialog &d) {
            auto &box = static_cast<OvMessageBox &>(d);
            texts << box.text();
            okOnly = okOnly && box.okRowVisible() && !box.okCancelRowVisible();
            return int(QDialog::Accepted);
        });
    }
    ~Messages() { modal::setHook(previous); }
};

class Receiver : public QObject
{
    Q_OBJECT
public:
    QList<int> deleted;
public slots:
    void delCap(int id) { deleted << id; }
};
} // namespace

class TestPermissions : public QObject
{
    Q_OBJECT
private slots:
    void noLevelListRefuses()
    {
        // Before the registry exists, and with no list, every check refuses.
        Messages messages;
        OvTermTbCtrl terminal;
        QVERIFY(!terminal.checkPermission());
        ViewRegistry::create(nullptr);
        LevelHolder::instance().replaceList({});
        QVERIFY(!terminal.checkPermission());
        const QString refusal = QStringLiteral("Current user does not have permission to edit!");
        QCOMPARE(messages.texts, (QStringList{refusal, refusal}));
        QVERIFY(messages.okOnly);
    }

    void levelDecides_data()
    {
        QTest::addColumn<int>("terminalLevel");
        QTest::addColumn<int>("advancedLevel");
        QTest::addColumn<bool>("terminalAllowed");
        QTest::addColumn<bool>("advancedAllowed");
        QTest::newRow("terminal 0 refuses") << 0 << 1 << false << true;
        QTest::newRow("terminal 1 allows") << 1 << 0 << true << false;
        QTest::newRow("both high") << 9 << 65535 << true << true;
    }
    void levelDecides()
    {
        QFETCH(int, terminalLevel);
        QFETCH(int, advancedLevel);
        QFETCH(bool, terminalAllowed);
        QFETCH(bool, advancedAllowed);
        ViewRegistry::create(nullptr);
        // Unsorted on purpose; a second entry of a type never governs.
        LevelHolder::instance().fillLevels(
            {level(9, 5, 0), level(3, 4, advancedLevel), level(2, 5, terminalLevel), level(1, 1, 0)});
        Messages messages;
        OvTermTbCtrl terminal;
        OvAdvancedCtr media;
        QCOMPARE(terminal.checkPermission(), terminalAllowed);
        QCOMPARE(media.checkPermission(), advancedAllowed);
        QCOMPARE(messages.texts.size(), int(!terminalAllowed) + int(!advancedAllowed));
    }

    void fillSortsAndTells()
    {
        LevelHolder &holder = LevelHolder::instance();
        ViewRegistry::create(nullptr);
        QVERIFY(holder.viewCtrl() && holder.viewCtrl()->viewSignal());
        QSignalSpy have(holder.viewCtrl()->viewSignal(), &OvQtViewSignal::haveTerminals);
        OvLevel longName = level(7, 5, 1);
        longName.name = QByteArray(40, 'n');
        // Filled on another thread, as the receive thread does.
        std::thread([&] { holder.fillLevels({longName, level(2, 4, 1)}); }).join();
        QTRY_COMPARE(have.count(), 1);
        auto list = holder.lockList();
        QVERIFY(list.exists());
        QCOMPARE(list->size(), size_t(2));
        QCOMPARE(list->at(0).id, 2);
        QCOMPARE(list->at(1).name.size(), OvLevel::kMaxNameBytes);
    }

    void bindViewRules()
    {
        ViewDataHolder<Record> holder;
        Receiver receiver;
        ViewBinder unbound(&holder);
        QCOMPARE(unbound.bindView(ViewBinder::DelTerminal, &receiver, "delCap(int)"), -1);  // no view control
        ViewRegistry &registry = ViewRegistry::create(nullptr);
        QCOMPARE(registry.bindView(ViewBinder::DelTerminal, &receiver, "delCap(int)"), -1);  // no holder yet
        registry.attachCaptureHolder(holder);
        QCOMPARE(registry.bindView(ViewBinder::DelTerminal, &receiver, ""), -1);
        QCOMPARE(registry.bindView(ViewBinder::DelTerminal, &receiver, nullptr), -1);
        QCOMPARE(registry.bindView(7, &receiver, "delCap(int)"), -1);
        QCOMPARE(registry.bindView(ViewBinder::DelTerminal, &receiver, SLOT(delCap(int))), 0);

        holder.replaceList({{3}, {1}});
        QVERIFY(holder.remove(3));
        QVERIFY(!holder.remove(3));
        QTRY_COMPARE(receiver.deleted, QList<int>{3});
        QVERIFY(holder.findCopy(1).has_value());
        QVERIFY(!holder.findCopy(3).has_value());
    }
};

QTEST_MAIN(TestPermissions)
#include "tst_permissions.moc"
