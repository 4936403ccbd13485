#include "managers/mic/OvMicListMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/mic/MicRequests.h"
#include "managers/mic/OvMicManage.h"
#include "managers/common/RemoveDevice.h"
#include "protocol/RequestResult.h"

#include <QMetaObject>

#include <chrono>
#include <thread>

OvMicListMgr &OvMicListMgr::instance()
{
    static OvMicListMgr *const manager = new OvMicListMgr(deviceCentre());
    return *manager;
}

OvMicListMgr::OvMicListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    m_cache.replaceAll({});
}

OvMicListMgr::~OvMicListMgr()
{
    centreSetMicCallbacks(m_centre, nullptr, nullptr);
}

int OvMicListMgr::fetchList()
{
    centreSetMicCallbacks(
        m_centre, [this](TermEvent<OvMic> &event) { return handleMicEvent(event); },
        [this](TermEvent<MicBookEntry> &event) { return handleBookEvent(event); });
    return retryWhileBusy([this] { return centreMicList(m_centre); }, kListPauseMs);
}

int OvMicListMgr::fetchBook(int code, int id)
{
    return retryWhileBusy([&] { return centreMicBook(m_centre, code, id); }, kListPauseMs);
}

std::vector<MicBookEntry> OvMicListMgr::book(int code) const
{
    const MicBookHolder<MicBookEntry> *h = holder(code);
    return h ? h->copy() : std::vector<MicBookEntry>();
}

int OvMicListMgr::fetchDetails(int id)
{
    const std::optional<OvMic> cached = m_cache.findCopy(id);
    if (!cached)
        return kMissingManager;
    if (cached->detailsLoaded)
        return 0;
    return retryWhileBusy([&] { return centreMicDetails(m_centre, id); }, kEditPauseMs);
}

int OvMicListMgr::saveSettings(const OvMic &mic)
{
    const int result = retryWhileBusy([&] { return centreMicSettings(m_centre, mic); }, kEditPauseMs);
    if (result == 0) {
        m_cache.applyChange(mic);
        const int id = mic.id;
        QMetaObject::invokeMethod(this, [this, id] { emit micChanged(id); }, Qt::QueuedConnection);
    }
    return result;
}

int OvMicListMgr::commitBook(int code, int id, const QByteArray &listText)
{
    const int result = centreMicBookCommit(m_centre, code, id, listText);
    std::this_thread::sleep_for(std::chrono::milliseconds(kEditPauseMs));
    return result;
}

int OvMicListMgr::removeMic(const OvMic &mic)
{
    const int result =
        retryWhileBusy([&] { return centreRemoveDevice(m_centre, mic.id, mic.type); }, kEditPauseMs);
    if (result == 0)
        m_cache.remove(mic.id);
    return result;
}

int OvMicListMgr::handleMicEvent(TermEvent<OvMic> &event)
{
    switch (event.code) {
    case OvMicManage::ListCode:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotMicList(); }, Qt::QueuedConnection);
        return 0;
    case OvMicManage::DetailsCode:
        for (const OvMic &m : event.records) {
            m_cache.applyChange(m);
            const int id = m.id;
            QMetaObject::invokeMethod(this, [this, id] { emit micChanged(id); }, Qt::QueuedConnection);
        }
        return 0;
    case OvMicManage::PlayingTerminalsCode:
        m_playing.replace(std::move(event.records));
        return 0;
    case RemovedEvent:
        for (const OvMic &m : event.records) {
            if (!m_cache.remove(m.id))
                continue;
            const int id = m.id;
            QMetaObject::invokeMethod(this, [this, id] { emit micDeleted(id); }, Qt::QueuedConnection);
        }
        return 0;
    default:
        return -1;
    }
}

int OvMicListMgr::handleBookEvent(TermEvent<MicBookEntry> &event)
{
    MicBookHolder<MicBookEntry> *h = holder(event.code);
    if (!h)
        return -1;
    h->replace(std::move(event.records));
    return 0;
}

MicBookHolder<MicBookEntry> *OvMicListMgr::holder(int code)
{
    return const_cast<MicBookHolder<MicBookEntry> *>(static_cast<const OvMicListMgr *>(this)->holder(code));
}

const MicBookHolder<MicBookEntry> *OvMicListMgr::holder(int code) const
{
    switch (code) {
    case MicBookEntry::CallBook:
        return &m_callBook;
    case MicBookEntry::TransferBook:
        return &m_transferBook;
    case MicBookEntry::MonitorList:
        return &m_monitorList;
    case MicBookEntry::PlanList:
        return &m_planList;
    case MicBookEntry::Regions:
        return &m_regions;
    default:
        return nullptr;
    }
}
