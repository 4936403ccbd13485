#include "managers/tasks/OvPlayTaskManage.h"

#include "protocol/OvMsgCheck.h"

OvPlayTaskManage::OvPlayTaskManage()
    : OvTaskBaseManage({"TaskList", "Task", "DeletePlayTask", "TaskTerminal", 13, OvMsgCheck::TaskList,
                        OvMsgCheck::Task, OvMsgCheck::DeletePlayTask})
{
}

OvPlanManage::OvPlanManage()
    : OvPlayTaskManage({"PlanTaskList", "PlanTask", "DeletePlanTask", "TaskTerminal", 215,
                        OvMsgCheck::PlanTaskList, OvMsgCheck::PlanTask, OvMsgCheck::DeletePlanTask})
{
}
