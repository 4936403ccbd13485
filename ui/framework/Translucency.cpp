#include "framework/Translucency.h"

#include <QGuiApplication>

#ifdef TALKBACK_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace translucency {

namespace {

#ifdef TALKBACK_HAVE_XCB
// A compositing manager owns the selection "_NET_WM_CM_S<screen>" of the
// screen it composes.
bool x11CompositorRunning()
{
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screen);
    bool running = false;
    if (!xcb_connection_has_error(connection)) {
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData()),
            nullptr);
        if (atom && atom->atom != XCB_ATOM_NONE) {
            xcb_get_selection_owner_reply_t *owner = xcb_get_selection_owner_reply(
                connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
            running = owner && owner->owner != XCB_WINDOW_NONE;
            std::free(owner);
        }
        std::free(atom);
    }
    xcb_disconnect(connection);
    return running;
}
#else
bool x11CompositorRunning()
{
    return false;
}
#endif

} // namespace

bool decide(const QString &platformName, const std::function<bool()> &compositorRunning)
{
    if (platformName == QLatin1String("xcb"))
        return compositorRunning();
    return true;
}

bool available()
{
    static const bool translucent = decide(QGuiApplication::platformName(), x11CompositorRunning);
    return translucent;
}

} // namespace translucency
