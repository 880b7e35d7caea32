// An undoable action: the unit that an undo step is made of.
#pragma once

#include <cstdint>

namespace HuxEditor {

class HuxEditAction {
public:
    virtual ~HuxEditAction() = default;
    HuxEditAction(const HuxEditAction&) = delete;
    HuxEditAction& operator=(const HuxEditAction&) = delete;

    // Applies the effect again; false (and no change) when already done or
    // when the action reports failure.
    bool Do();
    // Removes the effect; false (and no change) when not done or on failure.
    // Never throws: a group that never reached the undo list takes its
    // actions back from its destructor.
    bool Undo() noexcept;

    bool IsDone() const { return done_; }
    int32_t DoneCount() const { return doneCount_; }

protected:
    // An action whose effect is already in place when it is made passes true.
    explicit HuxEditAction(bool done = false) : done_(done) {}

    virtual bool DoAction() = 0;
    // Reports a failure by its result; whatever it needs is prepared when the
    // action is made.
    virtual bool UndoAction() noexcept = 0;

private:
    bool done_;
    int32_t doneCount_ = 0;
};

} // namespace HuxEditor
