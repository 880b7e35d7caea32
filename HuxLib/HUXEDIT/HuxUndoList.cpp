#include "HuxLib/HUXEDIT/HuxUndoList.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"

namespace HuxEditor {

HuxUndoList::~HuxUndoList()
{
    Clear();
}

bool HuxUndoList::BeginGroup(HuxEditGroup* group)
{
    openGroup_ = group;
    return true;
}

bool HuxUndoList::CommitGroup(std::unique_ptr<HuxEditGroup>& group)
{
    if (!group || group.get() != openGroup_)
        return false;
    openGroup_ = nullptr;
    DeleteFrom(static_cast<size_t>(position_));
    entries_.push_back(std::move(group));
    ++position_;
    entries_.back()->Commit();
    OnChange(entries_.back().get());
    return true;
}

bool HuxUndoList::CancelGroup(HuxEditGroup* group)
{
    if (group != openGroup_)
        return false;
    openGroup_ = nullptr;
    return true;
}

void HuxUndoList::OnChange(HuxEditGroup*)
{
}

void HuxUndoList::Undo()
{
    if (position_ == 0)
        return;
    HuxEditGroup* group = entries_[static_cast<size_t>(position_ - 1)].get();
    if (group->Undo())
        --position_;
    else
        ReportFailure("Error during Undo");
    OnChange(group);
}

void HuxUndoList::Redo()
{
    if (position_ == Count())
        return;
    HuxEditGroup* group = entries_[static_cast<size_t>(position_)].get();
    if (group->Redo())
        ++position_;
    else
        ReportFailure("Error during Redo");
    OnChange(group);
}

void HuxUndoList::Clear()
{
    DeleteFrom(0);
    openGroup_ = nullptr;
    position_ = 0;
}

void HuxUndoList::ReportFailure(const char* message)
{
    HuxMessageBox(failureOwner_ ? failureOwner_() : 0, message, nullptr, kHuxMbOk);
}

void HuxUndoList::DeleteFrom(size_t first)
{
    while (entries_.size() > first)
        entries_.pop_back();
}

} // namespace HuxEditor
