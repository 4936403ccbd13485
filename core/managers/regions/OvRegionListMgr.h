#pragma once

#include "managers/common/EditRule.h"
#include "managers/common/TermEvent.h"
#include "managers/common/TermListCache.h"
#include "managers/regions/OvRegion.h"

#include <QObject>

#include <vector>

class OvManageCenter;

// The broadcast regions as the screens and the task and microphone dialogs
// see them: the cache in the order received (exists, empty, from the start),
// the edits, and signals queued to the GUI thread. Creating it registers the
// callback and fetches the list (again while busy, 10 ms).
class OvRegionListMgr : public QObject
{
    Q_OBJECT
public:
    static OvRegionListMgr &instance();

    explicit OvRegionListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvRegionListMgr() override;

    int fetchList();
    // A copy taken under the lock: the receive thread may change the cache
    // while the caller reads.
    std::vector<OvRegion> regionList() const;
    bool findRegion(int id, OvRegion &out) const;
    // The largest cached id, 0 for an empty cache.
    int maxRegionId() const;

    // BroadRegion, sent again while busy (100 ms). The cache changes only
    // when the server agreed (0); after a time-out the list is fetched
    // again, since the server may or may not have applied it. Returns the
    // request's result.
    int send(const OvRegion &region, EditAction action);

signals:
    void gotRegionList();
    void regionChanged(int id);
    void regionDeleted(int id);
    void buildGroupPlayTaskCommit(bool b);  // declared for the task dialogs; nothing raises it

private:
    int handleEvent(TermEvent<OvRegion> &event);
    void apply(const OvRegion &region, EditAction action);

    OvManageCenter *m_centre;
    TermListCache<OvRegion> m_cache{TermListCache<OvRegion>::Order::AsReceived};
};
