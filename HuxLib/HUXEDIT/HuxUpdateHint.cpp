#include "HuxLib/HUXEDIT/HuxUpdateHint.h"

#include <algorithm>

namespace HuxEditor {

bool HuxUpdateHint::Absorb(const HuxUpdateHint&)
{
    return false;
}

void HuxUpdateHintList::NotifyReceivers(bool undoing)
{
    undoing_ = undoing;
    std::vector<HuxUpdateReceiver*> notified;
    // Indexed: a receiver may add hints while it is being told.
    for (size_t i = 0; i < hints_.size(); ++i) {
        for (HuxUpdateReceiver* receiver : hints_[i]->Receivers()) {
            if (std::find(notified.begin(), notified.end(), receiver) != notified.end())
                continue;
            notified.push_back(receiver);
            receiver->OnUpdateHints(*this);
        }
    }
    const size_t discard = std::min(hints_.size(), static_cast<size_t>(std::max(discardCount_, 0)));
    hints_.erase(hints_.begin(), hints_.begin() + static_cast<std::ptrdiff_t>(discard));
    discardCount_ = 0;
    undoing_ = false;
}

} // namespace HuxEditor
