#pragma once

#include "managers/common/TermEvent.h"
#include "managers/common/TermListCache.h"
#include "managers/mic/MicBookEntry.h"
#include "managers/mic/MicBookHolder.h"
#include "managers/mic/OvMic.h"

#include <QObject>

#include <optional>
#include <vector>

class OvManageCenter;

// The M35 paging microphones as the screens see them: the cache (descending
// id after every list, changed records moved to the end), the six book
// holders, the edits, and signals queued to the GUI thread. The cache exists
// (empty) from construction. Lives on the GUI thread; its callbacks run on the
// receive thread.
class OvMicListMgr : public QObject
{
    Q_OBJECT
public:
    using Cache = TermListCache<OvMic>;
    using LockedList = Cache::LockedList;

    // The process-wide instance, created on first use with the device centre.
    static OvMicListMgr &instance();

    explicit OvMicListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvMicListMgr() override;

    // Registers the callbacks and asks for the list (262); 10 ms pause.
    int fetchList();
    // Asks for a book (266, 270, 272, 274, 276) of microphone `id`, or the
    // playing terminals (269); the holder is filled before this returns 0.
    int fetchBook(int code, int id);
    std::vector<MicBookEntry> book(int code) const;
    std::vector<OvMic> playingTerminals() const { return m_playing.copy(); }

    // -1 for a microphone not cached, 0 without sending when its details are
    // already loaded, else the details request's result.
    int fetchDetails(int id);
    // ModTalkTerminal; on 0 the cached record is replaced and micChanged(id) emitted.
    int saveSettings(const OvMic &mic);
    // One commit (268, 271, 273, 275, 277), not repeated while busy; 100 ms pause.
    int commitBook(int code, int id, const QByteArray &listText);
    // RemoveDevice; on 0 the record leaves the cache (no signal).
    int removeMic(const OvMic &mic);

    LockedList lockList() const { return m_cache.lockList(); }
    std::optional<OvMic> findCopy(int id) const { return m_cache.findCopy(id); }

signals:
    void gotMicList();
    void micChanged(int id);
    void micDeleted(int id);  // the server deleted the microphone (not after the console's own removal)

private:
    int handleMicEvent(TermEvent<OvMic> &event);
    int handleBookEvent(TermEvent<MicBookEntry> &event);
    MicBookHolder<MicBookEntry> *holder(int code);
    const MicBookHolder<MicBookEntry> *holder(int code) const;

    OvManageCenter *m_centre;
    // Sorted by the manager; the cache keeps the order given and appends changes.
    Cache m_cache{Cache::Order::AsReceived};
    MicBookHolder<MicBookEntry> m_callBook;
    MicBookHolder<MicBookEntry> m_transferBook;
    MicBookHolder<MicBookEntry> m_monitorList;
    MicBookHolder<MicBookEntry> m_planList;
    MicBookHolder<MicBookEntry> m_regions;
    MicBookHolder<OvMic> m_playing;
};
