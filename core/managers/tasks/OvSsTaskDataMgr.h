#pragma once

#include "managers/common/TermEvent.h"
#include "managers/common/TermListCache.h"
#include "managers/tasks/SoundSourceTask.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <optional>
#include <vector>

class OvManageCenter;

// All sound-source tasks as the pages see them, in the order received. The
// cache exists, empty, from the start: an empty task table raises no list of
// rows worth waiting for, and changes must not be dropped before a first
// list. A changed task is overwritten in place; a new one is appended.
// Creating it registers the callback and fetches the list once.
class OvSsTaskDataMgr : public QObject
{
    Q_OBJECT
public:
    static OvSsTaskDataMgr &instance();

    explicit OvSsTaskDataMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvSsTaskDataMgr() override;

    using LockedList = TermListCache<SoundSourceTask>::LockedList;
    // Holds the cache's lock while it lives: read the tasks, then let it go.
    LockedList lockList() const { return m_cache.lockList(); }
    LockedList taskList() const { return lockList(); }
    std::vector<SoundSourceTask> copyList() const;
    std::optional<SoundSourceTask> findCopy(int id) const { return m_cache.findCopy(id); }
    bool findTask(int id, SoundSourceTask &out) const;

    // Asks for the whole list again (while busy, 10 ms apart, within a limit).
    int fetchList();
    // Action 0 Add, 1 Mod, 2 Del, 3 Start, 4 Stop; the server's RequestResult
    // (-1 for an unknown action or a missing centre). The cache follows the
    // server's notifications; a delete answered ok removes the task at once
    // (taskDeleted), a refused one reports taskDeleteFailed.
    int send(const SoundSourceTask &task, int action);

    static constexpr const char *kDeleteError = "Delete Error!";

signals:
    void gotTaskList();
    void taskChanged(int id);
    void taskDeleted(int id);
    void taskDeleteFailed(QString res);

private:
    int handleEvent(TermEvent<SoundSourceTask> &event);
    void applyChange(const SoundSourceTask &task);
    void applyRemoval(int id);

    OvManageCenter *m_centre;
    TermListCache<SoundSourceTask> m_cache{TermListCache<SoundSourceTask>::Order::AsReceived};
    std::atomic<int> m_pendingDelete{0};
};
