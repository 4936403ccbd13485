#include "framework/ModalRunner.h"

#include <QDialog>

namespace modal {

namespace {
Hook &currentHook()
{
    static Hook hook;
    return hook;
}
} // namespace

int run(QDialog &dialog)
{
    if (const Hook hook = currentHook())
        return hook(dialog);
    return dialog.exec();
}

Hook setHook(Hook hook)
{
    Hook previous = std::move(currentHook());
    currentHook() = std::move(hook);
    return previous;
}

} // namespace modal
