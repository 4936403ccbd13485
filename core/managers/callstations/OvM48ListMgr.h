#pragma once

#include "managers/callstations/CallStationCache.h"
#include "managers/common/TermEvent.h"

#include <QObject>

class OvManageCenter;

// The M48 LED call stations as the screens see them. Creating it registers
// its callbacks and fetches the list. Every request is sent again while the
// table is busy (10 ms pause for fetches, 100 ms for edits) and returns its
// real result; the cache changes only when the server agreed (0).
class OvM48ListMgr : public QObject
{
    Q_OBJECT
public:
    static OvM48ListMgr &instance();

    explicit OvM48ListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvM48ListMgr() override;

    int fetchList();
    // The holder is filled before this returns 0.
    int fetchButtonCalls(int stationId);
    std::vector<OvMicBtnCall> buttonCalls() const { return m_cache.buttonCalls(); }

    // ModTalkTerminal, IpAmpSet (name and playing volume) and ModM48Led; on 0
    // each is applied as a change (m48Changed).
    int saveSettings(const OvMic &station);
    int setNameAndVolume(const OvMic &station);
    int setLed(const OvMic &station);
    // RemoveDevice. The cache is left to the server's delete message.
    int removeStation(const OvMic &station);
    // "M48ButtonCall" from callstations::m48CommitRecord.
    int commitButtonCall(int stationId, const OvMicBtnCall &call);

    CallStationCache::Cache::LockedList lockList() const { return m_cache.lockList(); }
    std::optional<OvMic> findCopy(int id) const { return m_cache.findCopy(id); }

signals:
    void gotM48List();
    void m48Changed(int id);
    void m48Deleted(int id);
    void buildM48PlayTaskCommit(bool b);  // declared for the screens; never emitted

private:
    int handleStationEvent(TermEvent<OvMic> &event);
    int editAndApply(const OvMic &station, int (*send)(OvManageCenter *, const OvMic &));

    OvManageCenter *m_centre;
    CallStationCache m_cache;
};
