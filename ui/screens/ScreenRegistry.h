#pragma once

#include "screens/ScreenId.h"

#include <array>
#include <functional>

class QWidget;

// What a screen factory may use: the main window (the talkback-record screen
// takes it as its argument; the others are simply added to the page area).
struct ScreenContext
{
    QWidget *mainWindow = nullptr;
};

// Where the screens that the device, task, media and log work builds make
// themselves known to the main window. A screen without a factory has its
// button disabled.
class ScreenRegistry
{
public:
    using Factory = std::function<QWidget *(const ScreenContext &)>;

    static ScreenRegistry &instance();

    // False when a factory for that screen exists already or is empty.
    bool registerScreen(ScreenId id, Factory factory);
    bool hasScreen(ScreenId id) const;
    // A new screen, or nullptr when none is registered.
    QWidget *create(ScreenId id, const ScreenContext &context) const;
    // Forgets every factory (tests).
    void clear();

private:
    std::array<Factory, kScreenCount> m_factories;
};

// Registers the factories of every screen built so far; start-up calls it
// once. Each new screen adds its line here.
void registerBuiltScreens(ScreenRegistry &registry);
