#pragma once

#include <QString>

class SimDatabase;

// Builds a large synthetic installation for performance work: `terminals` IP
// amplifiers (ids 1..N) plus max(2, N/100) terminals of every other family, an
// admin account and the default levels. Replaces all terminal rows.
namespace InstallationGenerator {

bool generate(SimDatabase &db, int terminals, QString *error);

} // namespace InstallationGenerator
