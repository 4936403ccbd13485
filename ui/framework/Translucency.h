#pragma once

#include <QString>

#include <functional>

// Whether our frameless windows can draw their see-through shadow. On an X11
// desktop that needs a compositing manager: without one the see-through
// border shows as a thick black frame, so the windows draw a plain 1-pixel
// border instead. Other platforms compose windows themselves.
namespace translucency {

// Decided once, on first use (after the application object exists).
bool available();

// The rule, for a platform name ("xcb", "wayland", "offscreen", ...) and a
// probe that tells whether an X11 compositing manager runs.
bool decide(const QString &platformName, const std::function<bool()> &compositorRunning);

} // namespace translucency
