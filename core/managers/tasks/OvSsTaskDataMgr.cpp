#include "managers/tasks/OvSsTaskDataMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/tasks/OvSsTaskManage.h"
#include "managers/tasks/SsTaskRequests.h"
#include "protocol/RequestResult.h"

#include <QMetaObject>

OvSsTaskDataMgr &OvSsTaskDataMgr::instance()
{
    static OvSsTaskDataMgr *const manager = new OvSsTaskDataMgr(deviceCentre());
    return *manager;
}

OvSsTaskDataMgr::OvSsTaskDataMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    m_cache.replaceAll({});
    centreSetSsTaskCallback(m_centre, [this](TermEvent<SoundSourceTask> &event) { return handleEvent(event); });
    fetchList();
}

OvSsTaskDataMgr::~OvSsTaskDataMgr()
{
    centreSetSsTaskCallback(m_centre, nullptr);
}

std::vector<SoundSourceTask> OvSsTaskDataMgr::copyList() const
{
    const auto locked = m_cache.lockList();
    return locked.exists() ? locked.records() : std::vector<SoundSourceTask>();
}

bool OvSsTaskDataMgr::findTask(int id, SoundSourceTask &out) const
{
    const std::optional<SoundSourceTask> found = m_cache.findCopy(id);
    if (!found)
        return false;
    out = *found;
    return true;
}

int OvSsTaskDataMgr::fetchList()
{
    return retryWhileBusy([this] { return centreSsTaskList(m_centre); }, kListPauseMs,
                          busyAttemptLimit(kListPauseMs));
}

int OvSsTaskDataMgr::send(const SoundSourceTask &task, int action)
{
    if (!OvSsTaskManage::actionName(action))
        return kMissingManager;
    if (action == OvSsTaskManage::Del)
        m_pendingDelete.store(task.id);
    const int result = retryWhileBusy([&] { return centreSsTaskEdit(m_centre, task, action); }, kEditPauseMs,
                                      busyAttemptLimit(kEditPauseMs));
    if (action == OvSsTaskManage::Del)
        m_pendingDelete.store(0);
    return result;
}

void OvSsTaskDataMgr::applyChange(const SoundSourceTask &task)
{
    if (!m_cache.modify(task.id, [&task](SoundSourceTask &cached) { cached = task; }))
        m_cache.applyChange(task);
    const int id = task.id;
    QMetaObject::invokeMethod(this, [this, id] { emit taskChanged(id); }, Qt::QueuedConnection);
}

void OvSsTaskDataMgr::applyRemoval(int id)
{
    if (id != 0 && m_cache.remove(id))
        QMetaObject::invokeMethod(this, [this, id] { emit taskDeleted(id); }, Qt::QueuedConnection);
}

int OvSsTaskDataMgr::handleEvent(TermEvent<SoundSourceTask> &event)
{
    switch (event.code) {
    case OvSsTaskManage::ListEvent:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotTaskList(); }, Qt::QueuedConnection);
        return 0;
    case OvSsTaskManage::ChangedEvent:
        for (const SoundSourceTask &t : event.records)
            applyChange(t);
        return 0;
    case OvSsTaskManage::DeleteOkEvent:
        applyRemoval(m_pendingDelete.load());
        return 0;
    case OvSsTaskManage::DeleteRefusedEvent: {
        const QString text = event.refusal.text.trimmed().isEmpty() ? tr(kDeleteError)
                                                                    : QString::fromUtf8(event.refusal.text);
        QMetaObject::invokeMethod(this, [this, text] { emit taskDeleteFailed(text); }, Qt::QueuedConnection);
        return 0;
    }
    case OvSsTaskManage::DeletedEvent:
        for (const SoundSourceTask &t : event.records)
            applyRemoval(t.id);
        return 0;
    default:
        return -1;
    }
}
