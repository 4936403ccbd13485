#include "managers/terminals/OvPlayTermListMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/terminals/TerminalRequests.h"

#include <QMetaObject>

OvPlayTermListMgr &OvPlayTermListMgr::instance()
{
    static OvPlayTermListMgr *const manager = new OvPlayTermListMgr(deviceCentre());
    return *manager;
}

OvPlayTermListMgr::OvPlayTermListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre) {}

OvPlayTermListMgr::~OvPlayTermListMgr()
{
    // The manager outlives a list manager made for a test; it must not call
    // back into a destroyed object.
    centreSetTerminalCallback(m_centre, nullptr);
}

int OvPlayTermListMgr::fetchList()
{
    centreSetTerminalCallback(m_centre, [this](TermEvent<OvTerminal> &event) { return handleEvent(event); });
    return retryWhileBusy([this] { return centreTerminalList(m_centre); }, kListPauseMs);
}

int OvPlayTermListMgr::handleEvent(TermEvent<OvTerminal> &event)
{
    switch (event.code) {
    case ListEvent:
        m_cache.replaceAll(std::move(event.records));
        queueListSignal();
        return 0;
    case ChangeEvent:
        for (const OvTerminal &t : event.records) {
            switch (m_cache.applyChange(t)) {
            case Cache::Applied::Replaced:
                queueChangedSignal(t.id);
                break;
            case Cache::Applied::Added:
                queueListSignal();
                break;
            case Cache::Applied::NoList:
                break;
            }
        }
        return 0;
    case RemovedEvent:
        for (const OvTerminal &t : event.records) {
            if (!m_cache.remove(t.id))
                continue;
            const int id = t.id;
            QMetaObject::invokeMethod(this, [this, id] { emit playTermDeleted(id); }, Qt::QueuedConnection);
        }
        return 0;
    case RemoveRefusedEvent:
        if (!event.refusal.valid)
            return 0;
        {
            std::lock_guard<std::mutex> guard(m_errorLock);
            m_lastError = event.refusal.text;
        }
        QMetaObject::invokeMethod(this, [this] { emit delTermError(); }, Qt::QueuedConnection);
        return 0;
    default:
        return -1;
    }
}

// Emitted from the GUI thread's event loop whatever thread raised the event,
// so every receiver, direct connections included, runs there.
void OvPlayTermListMgr::queueListSignal()
{
    QMetaObject::invokeMethod(this, [this] { emit gotPlayTermList(); }, Qt::QueuedConnection);
}

void OvPlayTermListMgr::queueChangedSignal(int id)
{
    QMetaObject::invokeMethod(this, [this, id] { emit playTermChanged(id); }, Qt::QueuedConnection);
}

QByteArray OvPlayTermListMgr::lastErrorText() const
{
    std::lock_guard<std::mutex> guard(m_errorLock);
    return m_lastError;
}

int OvPlayTermListMgr::removeTerminal(const OvTerminal &terminal)
{
    const int result = retryWhileBusy(
        [&] { return centreRemoveDevice(m_centre, terminal.id, terminal.type); }, kEditPauseMs);
    if (result == 0)
        m_cache.remove(terminal.id);
    return result;
}

int OvPlayTermListMgr::setNameAndVolume(const OvTerminal &terminal)
{
    const int result = retryWhileBusy(
        [&] { return centreIpAmpSet(m_centre, terminal.id, terminal.name, terminal.broVol); }, kEditPauseMs);
    // Only the edited fields: the rest of the cached record may already be
    // newer than the screen's copy (a change pushed during the wait).
    if (result == 0) {
        m_cache.modify(terminal.id, [&terminal](OvTerminal &cached) {
            cached.name = terminal.name;
            cached.broVol = terminal.broVol;
        });
    }
    return result;
}

int OvPlayTermListMgr::switchAmplifier(int id, bool on)
{
    const int result = retryWhileBusy([&] { return centreIpAmpPower(m_centre, id, on); }, kEditPauseMs);
    if (result == 0)
        m_cache.modify(id, [on](OvTerminal &cached) { cached.power = on; });
    return result;
}

int OvPlayTermListMgr::checkSpeaker(const OvTerminal &terminal)
{
    return retryWhileBusy([&] { return centreIpAmpSpkCheck(m_centre, terminal.id); }, kEditPauseMs);
}

int OvPlayTermListMgr::setAmplifierLimits(const OvTerminal &terminal)
{
    const int result = retryWhileBusy(
        [&] {
            return centrePlayTermConfig(m_centre, terminal.id, terminal.warnTempThreshold,
                                        terminal.fanTempThreshold, terminal.maxVol);
        },
        kEditPauseMs);
    // Kept here because the dialog sends only what differs from the cache,
    // and a server that does not send these columns back would otherwise
    // leave the old limits cached (a later reset to -1 would never go).
    if (result == 0) {
        m_cache.modify(terminal.id, [&terminal](OvTerminal &cached) {
            cached.warnTempThreshold = terminal.warnTempThreshold;
            cached.fanTempThreshold = terminal.fanTempThreshold;
            cached.maxVol = terminal.maxVol;
        });
    }
    return result;
}

int OvPlayTermListMgr::applyTerminalSettings(const OvTerminal &terminal)
{
    const int result = retryWhileBusy([&] { return centreTerminalSettings(m_centre, terminal); }, kEditPauseMs);
    if (result == 0) {
        m_cache.modify(terminal.id, [&terminal](OvTerminal &cached) {
            cached.defaultVolumn = terminal.defaultVolumn;
            cached.defaultPower = terminal.defaultPower;
            cached.isDefault = terminal.isDefault;
            cached.transport_tcp = terminal.transport_tcp;
        });
    }
    return result;
}

std::optional<std::vector<OvTerminal>> OvPlayTermListMgr::snapshot() const
{
    const LockedList list = m_cache.lockList();
    if (!list.exists())
        return std::nullopt;
    return list.records();
}

SpeakerCheckOutcome OvPlayTermListMgr::checkSpeakers(const QVector<int> &ids,
                                                     const std::function<void(int id)> &rowChanged)
{
    SpeakerCheckOutcome outcome;
    for (const int id : ids) {
        const std::optional<OvTerminal> terminal = m_cache.findCopy(id);
        if (!terminal || !terminal->isAmplifier())
            continue;
        if (terminal->status != OvTerminal::Idle || terminal->ampWarning) {
            outcome.refused = true;
            continue;
        }
        // Marked before the request goes, so a result pushed during the wait
        // replaces the mark with the real state.
        m_cache.modify(id, [](OvTerminal &cached) { cached.speaker = OvTerminal::Checking; });
        if (rowChanged)
            rowChanged(id);
        ++outcome.sent;
        if (checkSpeaker(*terminal) == 0)
            continue;
        // A refused check never reports a result, so the mark would stay.
        ++outcome.failed;
        const int previous = terminal->speaker;
        m_cache.modify(id, [previous](OvTerminal &cached) {
            if (cached.speaker == OvTerminal::Checking)
                cached.speaker = previous;
        });
        if (rowChanged)
            rowChanged(id);
    }
    return outcome;
}
