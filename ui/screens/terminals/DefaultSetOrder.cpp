#include "screens/terminals/DefaultSetOrder.h"

#include <unordered_map>
#include <utility>

namespace defaultsetorder {

std::vector<Row> order(const std::vector<OvTerminal> &terminals)
{
    // Each terminal hangs under a master listed before it or starts a block
    // of its own; the rows are then the blocks walked depth first.
    const size_t n = terminals.size();
    std::unordered_map<int, size_t> listed;  // id -> first terminal with it
    listed.reserve(n);
    std::vector<std::vector<size_t>> slaves(n);
    std::vector<size_t> blocks;
    for (size_t i = 0; i < n; ++i) {
        const OvTerminal &t = terminals[i];
        const auto master = t.master_id != 0 ? listed.find(t.master_id) : listed.end();
        if (master == listed.end())
            blocks.push_back(i);
        else
            slaves[master->second].push_back(i);
        listed.emplace(t.id, i);
    }

    std::vector<Row> rows;
    rows.reserve(n);
    std::vector<std::pair<size_t, size_t>> stack;  // terminal, next slave to visit
    for (const size_t block : blocks) {
        rows.push_back(Row{&terminals[block], terminals[block].master_id != 0});
        stack.emplace_back(block, 0);
        while (!stack.empty()) {
            const size_t at = stack.back().first;
            const size_t next = stack.back().second;
            if (next == slaves[at].size()) {
                stack.pop_back();
                continue;
            }
            ++stack.back().second;
            const size_t slave = slaves[at][next];
            rows.push_back(Row{&terminals[slave], true});
            stack.emplace_back(slave, 0);
        }
    }
    return rows;
}

} // namespace defaultsetorder
