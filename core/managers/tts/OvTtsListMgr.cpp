#include "managers/tts/OvTtsListMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/common/RemoveDevice.h"
#include "managers/tts/OvTtsManage.h"
#include "managers/tts/TtsRequests.h"

#include <QMetaObject>

OvTtsListMgr &OvTtsListMgr::instance()
{
    static OvTtsListMgr *const manager = new OvTtsListMgr(deviceCentre());
    return *manager;
}

OvTtsListMgr::OvTtsListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    m_cache.replaceAll({});
    centreSetTtsCallback(m_centre, [this](TermEvent<OvTts> &event) { return handleEvent(event); });
    retryWhileBusy([this] { return centreTtsList(m_centre); }, kListPauseMs);
}

OvTtsListMgr::~OvTtsListMgr()
{
    centreSetTtsCallback(m_centre, nullptr);
}

std::vector<OvTts> OvTtsListMgr::copyList() const
{
    const auto locked = m_cache.lockList();
    return locked.exists() ? locked.records() : std::vector<OvTts>();
}

int OvTtsListMgr::rename(const OvTts &tts)
{
    const int result = centreTtsRename(m_centre, tts.id, tts.name);
    if (result == 0)
        applyChange(tts);
    return result;
}

int OvTtsListMgr::remove(const OvTts &tts)
{
    const int result = centreRemoveDevice(m_centre, tts.id, tts.type);
    if (result == 0)
        applyRemoval(tts.id);
    return result;
}

void OvTtsListMgr::applyChange(const OvTts &tts)
{
    if (!m_cache.modify(tts.id, [&tts](OvTts &cached) { cached = tts; }))
        m_cache.applyChange(tts);
    const int id = tts.id;
    QMetaObject::invokeMethod(this, [this, id] { emit TTsChanged(id); }, Qt::QueuedConnection);
}

void OvTtsListMgr::applyRemoval(int id)
{
    if (m_cache.remove(id))
        QMetaObject::invokeMethod(this, [this, id] { emit TTsDeleted(id); }, Qt::QueuedConnection);
}

int OvTtsListMgr::handleEvent(TermEvent<OvTts> &event)
{
    switch (event.code) {
    case OvTtsManage::ListCode:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotTTsList(); }, Qt::QueuedConnection);
        return 0;
    case OvTtsManage::RenameCode:
        for (const OvTts &t : event.records)
            applyChange(t);
        return 0;
    case OvTtsManage::DeletedEvent:
        for (const OvTts &t : event.records)
            applyRemoval(t.id);
        return 0;
    default:
        return -1;
    }
}
