// The numbers behind an integer edit box: its range, wrap and last value,
// the characters it accepts, and what clamping, validating, stepping and
// the slider companion make of the box's text. The window passes its text
// in and shows the values that come back.
#pragma once

#include "HuxLib/HUXCTRL/HuxCharFilter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text's number as atoi reads it: leading white space, an optional
// sign, then digits up to the first other character; 0 without digits.
// Numbers beyond 32 bits give the nearest 32-bit value.
int32_t HuxParseInt(std::string_view text);
// n as "%d" writes it.
std::string HuxFormatInt(int32_t n);

struct HuxSliderPercent {
    int32_t value = 0; // where the value lies in the slider range, in percent
    int32_t zero = 0;  // where zero lies
    bool operator==(const HuxSliderPercent&) const = default;
};

class HuxIntegerBoxModel {
public:
    // Range 0 to 100 without wrap, value 0, digits only.
    HuxIntegerBoxModel();

    // Stores the range (bounds given the wrong way round are exchanged) and
    // allows '-' exactly when a bound is negative.
    void SetRange(int32_t minimum, int32_t maximum, bool wrap);
    int32_t Minimum() const { return m_minimum; }
    int32_t Maximum() const { return m_maximum; }
    bool Wraps() const { return m_wrap; }

    const HuxCharFilter& Characters() const { return m_characters; }
    HuxCharFilter& Characters() { return m_characters; }

    // Clamps n into the range and keeps it; returns the value to show.
    int32_t SetValue(int32_t n);
    int32_t StoredValue() const { return m_value; }

    // The box's value for its text: the stored value when the text is
    // empty, otherwise the text's number, not clamped.
    int32_t ValueOf(std::string_view text) const;

    // On losing the focus: the bound that replaces an out-of-range text
    // (already stored as the value), or nothing when the text is in range.
    std::optional<int32_t> Validate(std::string_view text);

    // A spin click: the text's number plus delta (empty text counts as 0),
    // wrapped round the range when wrap is set, then clamped. The value to
    // show; the stored value does not change.
    int32_t StepBy(std::string_view text, int32_t delta) const;

    // The slider companion's clamp range: [a, b] within the box's range.
    void SetSliderRange(int32_t a, int32_t b);
    int32_t SliderMinimum() const { return m_sliderMinimum; }
    int32_t SliderMaximum() const { return m_sliderMaximum; }
    // Value and zero as percentages of the slider range; both 0 when the
    // range is a single value.
    HuxSliderPercent SliderPercent(std::string_view text) const;

private:
    HuxCharFilter m_characters;
    int32_t m_minimum = 0;
    int32_t m_maximum = 100;
    int32_t m_sliderMinimum = 0;
    int32_t m_sliderMaximum = 100;
    int32_t m_value = 0;
    bool m_wrap = false;
};
