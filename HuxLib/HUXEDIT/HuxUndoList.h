// The linear history of undo steps, with a position that separates the done
// steps (before it) from the undone, redoable ones (from it on).
#pragma once

#include "HuxLib/HUXEDIT/HuxEditGroup.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace HuxEditor {

class HuxUndoList {
public:
    HuxUndoList() = default;
    virtual ~HuxUndoList();
    HuxUndoList(const HuxUndoList&) = delete;
    HuxUndoList& operator=(const HuxUndoList&) = delete;

    // Recording a step: BeginGroup, fill the group, CommitGroup.
    virtual bool BeginGroup(HuxEditGroup* group);
    // Takes the open group out of the holder, discarding the redoable steps.
    // Any other group is refused and stays with the holder.
    virtual bool CommitGroup(std::unique_ptr<HuxEditGroup>& group);
    // Forgets the open group; the caller keeps it.
    virtual bool CancelGroup(HuxEditGroup* group);
    // Called after every commit, undo and redo.
    virtual void OnChange(HuxEditGroup* current);

    void Undo();
    void Redo();
    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < Count(); }
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    int32_t Position() const { return position_; }
    const HuxEditGroup& Entry(int32_t index) const { return *entries_.at(static_cast<size_t>(index)); }

    // Deletes every step, newest first.
    void Clear();

    // The window that owns the failure message box, asked when one is shown
    // (the open editor's, say); without one the box has no owner.
    void SetFailureOwner(std::function<intptr_t()> owner) { failureOwner_ = std::move(owner); }

protected:
    // Tells the user that a step could not be undone or redone: a message
    // box owned by the failure owner's window.
    virtual void ReportFailure(const char* message);

private:
    void DeleteFrom(size_t first);

    std::function<intptr_t()> failureOwner_;
    HuxEditGroup* openGroup_ = nullptr;
    std::vector<std::unique_ptr<HuxEditGroup>> entries_;
    int32_t position_ = 0;
};

} // namespace HuxEditor
