#pragma once

// Which terminals the setting dialogs list.
namespace terminalfilters {

// A terminal's own unit: ids of the form N * 10000 + k (k > 0, N < 10000)
// number the extension units of a terminal, which follow their main unit's
// settings and are not set one by one.
constexpr bool isMainUnit(int id)
{
    return (id / 10000) % 10000 == 0;
}

} // namespace terminalfilters
