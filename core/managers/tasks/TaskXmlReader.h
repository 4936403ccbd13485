#pragma once

#include "managers/tasks/DBPTask.h"

namespace tinyxml2 {
class XMLElement;
}

// Reads one task element of a task document ("Task" or "PlanTask").
namespace TaskXmlReader {

// Resets `task` to its defaults and reads the element's attributes and its
// "exec", "files", "TtsInfo" and "terminals" children. False when one of
// "exec", "files" or "terminals" is missing; the attributes are read anyway.
bool parseTask(const tinyxml2::XMLElement *element, OvPlayTask &task);

} // namespace TaskXmlReader
