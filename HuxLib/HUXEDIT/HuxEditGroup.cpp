#include "HuxLib/HUXEDIT/HuxEditGroup.h"

namespace HuxEditor {

HuxEditGroup::~HuxEditGroup()
{
    if (!committed_)
        UndoActions();
}

void HuxEditGroup::Add(std::unique_ptr<HuxEditAction> action)
{
    actions_.push_back(std::move(action));
}

void HuxEditGroup::Commit()
{
    committed_ = true;
    hints_.NotifyReceivers(false);
}

bool HuxEditGroup::Redo()
{
    for (auto& action : actions_)
        action->Do();
    hints_.NotifyReceivers(false);
    return true;
}

bool HuxEditGroup::Undo()
{
    UndoActions();
    hints_.NotifyReceivers(true);
    return true;
}

void HuxEditGroup::UndoActions() noexcept
{
    for (auto it = actions_.rbegin(); it != actions_.rend(); ++it)
        (*it)->Undo();
}

} // namespace HuxEditor
