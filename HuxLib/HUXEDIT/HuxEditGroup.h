// One undo step: a named group of actions that are undone and redone together.
#pragma once

#include "HuxLib/HUXEDIT/HuxEditAction.h"
#include "HuxLib/HUXEDIT/HuxUpdateHint.h"

#include <memory>
#include <string>
#include <vector>

namespace HuxEditor {

class HuxEditGroup {
public:
    HuxEditGroup() = default;
    // A group that never reached the undo list takes its edit back, without
    // telling the receivers, which only hear of committed steps.
    virtual ~HuxEditGroup();
    HuxEditGroup(const HuxEditGroup&) = delete;
    HuxEditGroup& operator=(const HuxEditGroup&) = delete;

    void SetName(std::string name) { name_ = std::move(name); }
    const std::string& Name() const { return name_; }

    // Takes the action over; pass the holder with std::move.
    void Add(std::unique_ptr<HuxEditAction> action);
    int32_t ActionCount() const { return static_cast<int32_t>(actions_.size()); }

    void Commit();
    bool IsCommitted() const { return committed_; }

    // Re-applies every action in order; the actions' own results are ignored.
    virtual bool Redo();
    // Removes every action's effect, newest first.
    virtual bool Undo();

    HuxUpdateHintList& Hints() { return hints_; }

private:
    void UndoActions() noexcept;

    std::string name_;
    std::vector<std::unique_ptr<HuxEditAction>> actions_;
    bool committed_ = false;
    HuxUpdateHintList hints_;
};

} // namespace HuxEditor
