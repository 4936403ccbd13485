#include "screens/ScreenRegistry.h"

ScreenRegistry &ScreenRegistry::instance()
{
    static ScreenRegistry registry;
    return registry;
}

bool ScreenRegistry::registerScreen(ScreenId id, Factory factory)
{
    const int index = static_cast<int>(id);
    if (index < 0 || index >= kScreenCount || !factory || m_factories[static_cast<size_t>(index)])
        return false;
    m_factories[static_cast<size_t>(index)] = std::move(factory);
    return true;
}

bool ScreenRegistry::hasScreen(ScreenId id) const
{
    const int index = static_cast<int>(id);
    return index >= 0 && index < kScreenCount && m_factories[static_cast<size_t>(index)];
}

QWidget *ScreenRegistry::create(ScreenId id, const ScreenContext &context) const
{
    if (!hasScreen(id))
        return nullptr;
    return m_factories[static_cast<size_t>(id)](context);
}

void ScreenRegistry::clear()
{
    for (Factory &f : m_factories)
        f = nullptr;
}
