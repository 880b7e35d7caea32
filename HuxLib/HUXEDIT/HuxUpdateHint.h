// Update hints: notifications that an undo step can carry to interested
// receivers when it is committed, undone or redone.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace HuxEditor {

class HuxUpdateHintList;

class HuxUpdateReceiver {
public:
    virtual ~HuxUpdateReceiver() = default;
    virtual void OnUpdateHints(const HuxUpdateHintList& hints) = 0;
};

class HuxUpdateHint {
public:
    virtual ~HuxUpdateHint() = default;

    // Folds another hint into this one; a plain hint cannot.
    virtual bool Absorb(const HuxUpdateHint& other);

    // The receiver is not owned and must outlive the hint's notification passes.
    void AddReceiver(HuxUpdateReceiver* receiver) { receivers_.push_back(receiver); }
    const std::vector<HuxUpdateReceiver*>& Receivers() const { return receivers_; }

private:
    std::vector<HuxUpdateReceiver*> receivers_;
};

class HuxUpdateHintList {
public:
    void Add(std::unique_ptr<HuxUpdateHint> hint) { hints_.push_back(std::move(hint)); }
    int32_t Count() const { return static_cast<int32_t>(hints_.size()); }
    const HuxUpdateHint& Hint(int32_t index) const { return *hints_.at(static_cast<size_t>(index)); }

    // Number of hints, from the front, to drop after the next pass.
    void SetDiscardCount(int32_t count) { discardCount_ = count; }
    int32_t DiscardCount() const { return discardCount_; }
    // True while the pass reports an undo.
    bool IsUndoing() const { return undoing_; }

    // Tells every distinct receiver of every hint once, then drops the
    // hints marked for discarding.
    void NotifyReceivers(bool undoing);

private:
    std::vector<std::unique_ptr<HuxUpdateHint>> hints_;
    int32_t discardCount_ = 0;
    bool undoing_ = false;
};

} // namespace HuxEditor
