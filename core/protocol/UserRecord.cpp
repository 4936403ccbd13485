#include "protocol/UserRecord.h"

namespace {
const UserRecord g_currentUser;
}

const UserRecord &currentUser()
{
    return g_currentUser;
}
