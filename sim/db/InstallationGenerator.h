#pragma once

#include <QString>

class SimDatabase;

// Builds a large synthetic installation for performance work: `terminals` IP
// amplifiers (ids 1..N) plus max(2, N/100) terminals of every other family, an
// admin account and the default levels. Replaces all terminal rows.
namespace InstallationGenerator {

bool generate(SimDatabase &db, int terminals, QString *error);
// Replaces the sound-source tasks with `tasks` generated ones (ids 1..N) of
// every category, the timer tasks in schemes 1 and 2 (which it creates if
// missing), targeting the installation's first amplifiers.
bool generateTasks(SimDatabase &db, int tasks, QString *error);

} // namespace InstallationGenerator
