#pragma once

#include "managers/capture/OvCap.h"
#include "view/ViewDataHolder.h"

#include <atomic>
#include <vector>

class OvManageCenter;
class ViewRegistry;

// The capture boxes as the screens see them: the capture view data holder.
// Its list is absent until the first list, kept in descending id order after
// every list, with changed boxes moved to the end; it tells the screens
// through its view control (haveTerminals, delTerminal, updateTerminal).
class CaptureHolder final : public ViewDataHolder<OvCap>
{
public:
    // The process-wide holder.
    static CaptureHolder &instance();

    CaptureHolder() = default;
    ~CaptureHolder() override;

    // Start-up: gives the holder its view control and binds its callbacks to
    // the registry's centre.
    void attachTo(ViewRegistry &registry);
    // Registers the three callbacks with the centre's capture manager and
    // remembers the centre for the requests.
    void bindCallbacks(OvManageCenter *centre);

    // Binds, then asks for the list (75), again while busy (100 ms pause).
    int fetchList(OvManageCenter *centre);
    // Asks for the list again with the callbacks already bound.
    int fetchAgain();
    // CapM59Set, sent once; on 0 the record replaces the cached one (moved to
    // the end, no signal). Returns the request's result.
    int saveSettings(const OvCap &cap);
    // RemoveDevice, sent once; on 0 the record leaves the list (no signal).
    // Returns the request's result.
    int remove(const OvCap &cap);

    // The callbacks (receive thread). -1 when there is no list yet.
    void onList(std::vector<OvCap> &list);
    int onDeleted(int id);
    int onChanged(const OvCap &cap);

private:
    // Replaces the record of the same id (or adds it) at the end; false when
    // there is no list.
    bool replaceAtEnd(const OvCap &cap);

    std::atomic<OvManageCenter *> m_centre{nullptr};
};
