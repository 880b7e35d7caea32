#include "HuxLib/HUXWIN/CCmdUI.h"

uint8_t HuxUpdatedButtonState(uint8_t state, const CCmdUI* handled, bool disableIfNoHandler)
{
    if (!handled) {
        if (disableIfNoHandler)
            state &= static_cast<uint8_t>(~kHuxButtonEnabled);
        return state;
    }
    state = handled->Enabled() ? (state | kHuxButtonEnabled) : (state & ~kHuxButtonEnabled);
    if (handled->Check())
        state = *handled->Check() != 0 ? (state | kHuxButtonChecked) : (state & ~kHuxButtonChecked);
    return static_cast<uint8_t>(state);
}
