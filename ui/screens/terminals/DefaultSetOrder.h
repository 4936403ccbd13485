#pragma once

#include "managers/terminals/OvTerminal.h"

#include <vector>

// The row order of the default-setting dialog. Terminals are taken in the
// given (id) order; one whose master is already listed goes directly after
// that master and the master's earlier slaves (and theirs), any other at the
// end. Linear in the number of terminals, so a large installation opens the
// dialog at once.
namespace defaultsetorder {

struct Row
{
    const OvTerminal *terminal;
    bool slave;  // has a master (master_id != 0): shown greyed
};

// The rows point into `terminals`, which must outlive them.
std::vector<Row> order(const std::vector<OvTerminal> &terminals);

} // namespace defaultsetorder
