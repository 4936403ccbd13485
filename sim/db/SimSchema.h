#pragma once

#include <QByteArray>

// The installation's tables. How each one is pushed and deleted is in TableRegistry.
namespace SimSchema {

QByteArray createStatements();

} // namespace SimSchema
