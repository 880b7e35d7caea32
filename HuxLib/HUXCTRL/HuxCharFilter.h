// The characters an edit box lets the user type: one flag per character
// code, and the decision on each typed character.
#pragma once

#include <array>
#include <cstdint>

class HuxCharFilter {
public:
    // Flags of SetAllowed.
    static constexpr unsigned kLowerCase = 1;  // 'a' to 'z'
    static constexpr unsigned kUpperCase = 2;  // 'A' to 'Z'
    static constexpr unsigned kDigits = 4;     // '0' to '9'
    static constexpr unsigned kAnything = 0x8000;

    static constexpr uint32_t kBackspace = 8;

    // Every code allowed.
    HuxCharFilter();

    // Clears the table, then allows the groups the flags name.
    void SetAllowed(unsigned flags);
    void Allow(unsigned char code, bool allowed) { m_allowed[code] = allowed; }
    bool IsAllowed(unsigned char code) const { return m_allowed[code]; }

    // Whether a typed character reaches the box: backspace always, codes of
    // 256 and more always (they are not in the table), the rest by table.
    bool Passes(uint32_t code) const;

private:
    std::array<bool, 256> m_allowed{};
};
