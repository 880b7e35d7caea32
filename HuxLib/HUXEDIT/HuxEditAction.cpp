#include "HuxLib/HUXEDIT/HuxEditAction.h"

namespace HuxEditor {

bool HuxEditAction::Do()
{
    if (done_ || !DoAction())
        return false;
    done_ = true;
    ++doneCount_;
    return true;
}

bool HuxEditAction::Undo() noexcept
{
    if (!done_ || !UndoAction())
        return false;
    done_ = false;
    return true;
}

} // namespace HuxEditor
