#pragma once

#include "managers/callstations/CallStationCache.h"
#include "managers/common/TermEvent.h"

#include <QObject>

class OvManageCenter;

// The M26 call stations as the screens see them. Creating it registers its
// callbacks and fetches the list. Every request is sent again while the
// table is busy (10 ms pause for fetches, 100 ms for edits) and returns its
// real result; the cache changes only when the server agreed (0).
class OvM26ListMgr : public QObject
{
    Q_OBJECT
public:
    static OvM26ListMgr &instance();

    explicit OvM26ListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvM26ListMgr() override;

    int fetchList();
    // The holder is filled before this returns 0.
    int fetchButtonCalls(int stationId);
    std::vector<OvMicBtnCall> buttonCalls() const { return m_cache.buttonCalls(); }

    // ModTalkTerminal; on 0 applied as a change (m26Changed).
    int saveSettings(const OvMic &station);
    // RemoveDevice; on 0 the station leaves the cache and m26Deleted is emitted.
    int removeStation(const OvMic &station);
    // "M26ButtonCall" from the four records of callstations::m26CommitRecords.
    int commitButtonCalls(int stationId, const std::vector<OvMicBtnCall> &calls);

    CallStationCache::Cache::LockedList lockList() const { return m_cache.lockList(); }
    std::optional<OvMic> findCopy(int id) const { return m_cache.findCopy(id); }

signals:
    void gotM26List();
    void m26Changed(int id);
    void m26Deleted(int id);
    // Declared for the screens; never emitted.
    void gotM26BtnCallList();
    void m26BtnCallChanged(int id);
    void m26BtnCallDeleted(int id);
    void buildM26PlayTaskCommit(bool b);

private:
    int handleStationEvent(TermEvent<OvMic> &event);
    void applyAndSignal(const OvMic &station);
    void signalDeleted(int id);

    OvManageCenter *m_centre;
    CallStationCache m_cache;
};
