#include "managers/common/OvBaseTerminal.h"

OvBaseTerminal::~OvBaseTerminal() = default;
