// The state a command's user-interface element should show, as an owner's
// update handler sets it (toolbar buttons here). The element applies it.
#pragma once

#include <cstdint>
#include <optional>

class CCmdUI {
public:
    explicit CCmdUI(uint32_t id) : m_nID(id) {}

    void Enable(bool enable = true) { m_enabled = enable; }
    void SetCheck(int check = 1) { m_check = check; }

    uint32_t m_nID;
    bool Enabled() const { return m_enabled; }
    // Unset: the handler left the check state alone.
    const std::optional<int>& Check() const { return m_check; }

private:
    bool m_enabled = true;
    std::optional<int> m_check;
};

// Toolbar button state bits (the toolbar control's own values).
constexpr uint8_t kHuxButtonChecked = 0x01;
constexpr uint8_t kHuxButtonEnabled = 0x04;

// A button's state after the update pass: with a handler (ui given), its
// enable and check decisions; without one, disabled when disableIfNoHandler,
// else as it was. Other state bits are kept.
uint8_t HuxUpdatedButtonState(uint8_t state, const CCmdUI* handled, bool disableIfNoHandler);
