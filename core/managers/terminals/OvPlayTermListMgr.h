#pragma once

#include "managers/common/TermEvent.h"
#include "managers/common/TermListCache.h"
#include "managers/terminals/OvTerminal.h"
#include "managers/terminals/SpeakerCheckOutcome.h"

#include <QByteArray>
#include <QObject>
#include <QVector>

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

class OvManageCenter;

// The IP amplifiers and player terminals as the screens see them: the cache
// in ascending id order, the edits, and signals queued to the GUI thread.
// Lives on the GUI thread; its event callback runs on the receive thread.
class OvPlayTermListMgr : public QObject
{
    Q_OBJECT
public:
    using Cache = TermListCache<OvTerminal>;
    using LockedList = Cache::LockedList;

    // The process-wide instance, created on first use (GUI thread) with the
    // device centre; never destroyed.
    static OvPlayTermListMgr &instance();

    // For a given centre. A list manager that is destroyed while its centre
    // still runs a receive thread must not be: stop the thread first.
    explicit OvPlayTermListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvPlayTermListMgr() override;

    // Registers the event callback and asks for the whole list (code 3).
    int fetchList();

    // The cache with the mutex held until the guard goes (or unlock());
    // exists() is false before the first list.
    LockedList lockList() const { return m_cache.lockList(); }
    std::optional<OvTerminal> findCopy(int id) const { return m_cache.findCopy(id); }
    bool replaceEntry(const OvTerminal &terminal) { return m_cache.replaceEntry(terminal); }
    bool hasList() const { return m_cache.exists(); }
    // A copy of the whole cache taken under the mutex, for a screen to fill
    // its table from without holding the lock (the receive thread waits on
    // it); empty before the first list.
    std::optional<std::vector<OvTerminal>> snapshot() const;

    // Edits: one waiting request each, sent again while busy. On success the
    // cache is updated at once; on any other result it is left alone.
    int removeTerminal(const OvTerminal &terminal);
    int setNameAndVolume(const OvTerminal &terminal);
    int switchAmplifier(int id, bool on);
    int checkSpeaker(const OvTerminal &terminal);
    int setAmplifierLimits(const OvTerminal &terminal);
    int applyTerminalSettings(const OvTerminal &terminal);

    // Checks the loudspeakers of the selected terminals: only amplifiers
    // (type "IP") that are idle and have no warning; each is marked Checking
    // in the cache before its request goes, and given its previous state back
    // when the request fails (unless a pushed row replaced the mark
    // meanwhile). `rowChanged` is told after each such change, for its row.
    // The screen shows the not-idle message once when `refused` is set.
    SpeakerCheckOutcome checkSpeakers(const QVector<int> &ids,
                                      const std::function<void(int id)> &rowChanged = {});

    // The text of the last refused removal, as the server wrote it.
    QByteArray lastErrorText() const;

signals:
    void gotPlayTermList();
    void playTermChanged(int id);
    void delTermError();
    void playTermDeleted(int id);

private:
    int handleEvent(TermEvent<OvTerminal> &event);
    void queueListSignal();
    void queueChangedSignal(int id);

    OvManageCenter *m_centre;
    Cache m_cache{Cache::Order::AscendingId};
    mutable std::mutex m_errorLock;
    QByteArray m_lastError;
};
