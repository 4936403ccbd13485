#pragma once

#include <QString>

// The names of the ring rules 1 to 5, translated; a rule outside that range
// is shown as its number, so an unknown rule stays visible.
namespace ringrules {

constexpr int kCount = 5;
QString name(int rule);

} // namespace ringrules
