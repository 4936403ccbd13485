#include "protocol/OvMgrMsg.h"

OvMgrMsg &OvMgrMsg::instance()
{
    static OvMgrMsg record;
    return record;
}
