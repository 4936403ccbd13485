#pragma once

#include "managers/common/TermEvent.h"
#include "managers/common/TermListCache.h"
#include "managers/m37/OvM37.h"

#include <QObject>

#include <optional>

class OvManageCenter;

// The M37 mobile devices as the page sees them: the cache (descending id
// after the list, changed devices moved to the end), the removal, and
// signals queued to the GUI thread. The cache exists (empty) from the start.
class OvM37ListMgr : public QObject
{
    Q_OBJECT
public:
    using Cache = TermListCache<OvM37>;

    static OvM37ListMgr &instance();

    explicit OvM37ListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvM37ListMgr() override;

    // Registers the callback and asks for the list (278); 10 ms pause.
    int fetchList();
    // RemoveDevice, again while busy (100 ms); on 0 the device leaves the cache (no signal).
    int removeDevice(const OvM37 &device);

    Cache::LockedList lockList() const { return m_cache.lockList(); }
    std::optional<OvM37> findCopy(int id) const { return m_cache.findCopy(id); }

signals:
    void gotM37List();
    void m37Changed(int id);
    void m37Deleted(int id);  // the server deleted the device (not after the console's own removal)

private:
    int handleEvent(TermEvent<OvM37> &event);

    OvManageCenter *m_centre;
    Cache m_cache{Cache::Order::AsReceived};
};
