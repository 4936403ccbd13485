#pragma once

#include <functional>

class QDialog;

// Every modal dialog of the console runs through here, so that a test can
// answer it instead of an operator: the hook gets the dialog (already built,
// not yet shown) and returns the result exec() would have returned.
namespace modal {

using Hook = std::function<int(QDialog &dialog)>;

// Runs the dialog modally, or hands it to the hook when one is set.
int run(QDialog &dialog);

// Installs a hook (an empty one restores exec()); returns the previous hook.
Hook setHook(Hook hook);

} // namespace modal
