#pragma once

#include "managers/common/TermEvent.h"
#include "managers/common/TermListCache.h"
#include "managers/firealarm/FAlarmTrigger.h"
#include "managers/firealarm/OvFAlarm.h"

#include <QObject>

#include <optional>

class OvManageCenter;

// The fire-alarm interfaces as the screen sees them: the cache (descending id
// after every list, changed interfaces moved to the end; it exists, empty,
// from the start), the edits, and signals queued to the GUI thread.
class OvFAlarmListMgr : public QObject
{
    Q_OBJECT
public:
    using Cache = TermListCache<OvFAlarm>;

    static OvFAlarmListMgr &instance();

    explicit OvFAlarmListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvFAlarmListMgr() override;

    // Registers the callback and asks for the list (289); 10 ms pause.
    int fetchList();
    // SetFRName with the record's name and trigger type, again while busy
    // (100 ms); on 0 the record replaces the cached one (fAlarmChanged).
    int setName(const OvFAlarm &alarm);
    // SetFRTrigger, once, then 100 ms; the cache waits for the server's change.
    int setTrigger(const FAlarmTrigger &trigger);
    // RemoveDevice, again while busy (100 ms); on 0 the interface leaves the cache (no signal).
    int removeDevice(const OvFAlarm &alarm);

    Cache::LockedList lockList() const { return m_cache.lockList(); }
    std::optional<OvFAlarm> findCopy(int id) const { return m_cache.findCopy(id); }
    bool copyById(int id, OvFAlarm &out) const;
    // Moves the record to the end of the cache (replacing one of its id) and
    // emits fAlarmChanged(id).
    void replaceEntry(const OvFAlarm &alarm);

signals:
    void gotFAlarmList();
    void fAlarmChanged(int id);
    void m37Deleted(int id);  // the screen's delete signal: the server deleted the interface

private:
    int handleEvent(TermEvent<OvFAlarm> &event);

    OvManageCenter *m_centre;
    Cache m_cache{Cache::Order::AsReceived};
};
