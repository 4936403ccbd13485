#pragma once

#include "managers/tasks/OvTaskBaseManage.h"

// Play-task documents, "TaskList" / "Task", codes 13 to 19 (dispatch slot 6).
class OvPlayTaskManage : public OvTaskBaseManage
{
public:
    OvPlayTaskManage();

protected:
    explicit OvPlayTaskManage(Names names) : OvTaskBaseManage(std::move(names)) {}
};

// Plan-task documents, "PlanTaskList" / "PlanTask", codes 215 to 221 (slot 13):
// the play-task reader with other element names.
class OvPlanManage : public OvPlayTaskManage
{
public:
    OvPlanManage();
};
