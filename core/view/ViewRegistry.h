#pragma once

#include "view/ViewBinder.h"

#include <functional>

class OvManageCenter;
class LevelHolder;
class ViewHolderBase;

// Binds the view data holders to the centre, once at start-up: the level
// holder to the level manager, and each holder that families attach later
// (capture boxes) to its manager. Also gives those holders their view control.
class ViewRegistry
{
public:
    // Creates the one registry; a second call returns the first.
    static ViewRegistry &create(OvManageCenter *centre);
    // The registry, nullptr before create().
    static ViewRegistry *instance();

    // The one centre of the process, the same the list managers use
    // (deviceCentre); create() sets it.
    OvManageCenter *centre() const;
    LevelHolder &levelHolder() const;

    // The capture family attaches its holder here: the holder gets a new
    // view control and `bindCallbacks` registers its callbacks with the centre.
    void attachCaptureHolder(ViewHolderBase &holder,
                             const std::function<void(OvManageCenter *)> &bindCallbacks = {});
    ViewHolderBase *captureHolder() const { return m_captureHolder; }

    // Binds a screen slot to the capture holder's view signal.
    int bindView(int type, QObject *receiver, const char *slot) const;

private:
    explicit ViewRegistry(OvManageCenter *centre);
    void bindCentre(OvManageCenter *centre);

    ViewHolderBase *m_captureHolder = nullptr;
    ViewBinder m_binder;
};
