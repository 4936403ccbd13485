#pragma once

#include "managers/common/EditRule.h"
#include "managers/common/TermEvent.h"
#include "managers/common/TermListCache.h"
#include "managers/groups/MicGroup.h"

#include <QObject>

#include <vector>

class OvManageCenter;

// The microphone groups as the screens and the task and microphone dialogs
// see them: the cache in the order received (exists, empty, from the start),
// the edits, and signals queued to the GUI thread. Creating it registers the
// callback and fetches the list (again while busy, 10 ms).
class OvMicGroupListMgr : public QObject
{
    Q_OBJECT
public:
    static OvMicGroupListMgr &instance();

    explicit OvMicGroupListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvMicGroupListMgr() override;

    int fetchList();
    // A copy taken under the lock: the receive thread may change the cache
    // while the caller reads.
    std::vector<MicGroup> groupList() const;
    bool findGroup(int id, MicGroup &out) const;
    // The largest cached id, 0 for an empty cache.
    int maxGroupId() const;

    // CallService, sent again while busy (100 ms). The cache changes only
    // when the server agreed (0); after a time-out the list is fetched
    // again, since the server may or may not have applied it. Returns the
    // request's result.
    int send(const MicGroup &group, EditAction action);

signals:
    void gotGroupList();
    void groupChanged(int id);
    void groupDeleted(int id);
    void buildGroupPlayTaskCommit(bool b);  // declared for the task dialogs; nothing raises it

private:
    int handleEvent(TermEvent<MicGroup> &event);
    void apply(const MicGroup &group, EditAction action);

    OvManageCenter *m_centre;
    TermListCache<MicGroup> m_cache{TermListCache<MicGroup>::Order::AsReceived};
};
