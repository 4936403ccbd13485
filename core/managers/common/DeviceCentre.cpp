#include "managers/common/DeviceCentre.h"

#include <atomic>

namespace {
std::atomic<OvManageCenter *> g_centre{nullptr};
}

void setDeviceCentre(OvManageCenter *centre)
{
    g_centre.store(centre);
}

OvManageCenter *deviceCentre()
{
    return g_centre.load();
}
