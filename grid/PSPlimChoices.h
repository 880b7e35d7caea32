// The settings that take one of a few named values: one enum class per
// concept, and the one table of their names. The parameters record stores a
// choice as its number, a 32-bit integer from 0 to count - 1; the tools,
// the grid, the mapper, the script reader and the dialogs convert through
// here. Header-only and free of the engine, so a dialog can include it alone.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The brush tools, by the ids the record keeps for each mouse button.
enum class PSPlimTool : int32_t { Squelm = 0, Mellow = 1, Revert = 2, Stabilise = 3, Boggle = 4, Nibble = 5 };

// What the grid does with its border points.
enum class PSPlimEdgeMode : int32_t {
    Fixed = 0,  // border points stay on their regular positions
    Locked = 1, // border points slide along the border lines
    Free = 2,   // border points move like any other
};

// What fills areas exposed outside the image (the tile cache's edge mode).
// Transparent fills only on a layer whose transparency the filter may
// change; elsewhere it reads as RepeatEdge.
enum class PSPlimExposedArea : int32_t { RepeatEdge = 0, Wrap = 1, Mirror = 2, FixedColour = 3, Transparent = 4 };

// How the mapper samples a pixel's source quadrilateral.
enum class PSPlimInterpolation : int32_t {
    Adaptive = 0, // bilinear only where the source is magnified
    Bilinear = 1, // always bilinear
    Nearest = 2,  // never: nearest-pixel supersampling
};

// A choice as the user reads it and as a stroke script writes it.
struct PSPlimChoiceName {
    std::string_view shown;
    std::string_view keyword;
};

template <class Choice>
struct PSPlimChoiceTable;

template <>
struct PSPlimChoiceTable<PSPlimTool> {
    static constexpr std::array<PSPlimChoiceName, 6> names{{{"Squelm", "squelm"},
                                                            {"Mellow", "mellow"},
                                                            {"Revert", "revert"},
                                                            {"Stabilise", "stabilise"},
                                                            {"Boggle", "boggle"},
                                                            {"Nibble", "nibble"}}};
};

template <>
struct PSPlimChoiceTable<PSPlimEdgeMode> {
    static constexpr std::array<PSPlimChoiceName, 3> names{
        {{"Fixed Edge", "fixed"}, {"Locked Edge", "locked"}, {"Free Edge", "free"}}};
};

template <>
struct PSPlimChoiceTable<PSPlimExposedArea> {
    static constexpr std::array<PSPlimChoiceName, 5> names{{{"Repeat edge pixels", "repeat"},
                                                            {"Wrap", "wrap"},
                                                            {"Mirror", "mirror"},
                                                            {"Use this colour", "colour"},
                                                            {"Transparent", "transparent"}}};
};

template <>
struct PSPlimChoiceTable<PSPlimInterpolation> {
    static constexpr std::array<PSPlimChoiceName, 3> names{
        {{"Adaptive", "adaptive"}, {"Bilinear", "bilinear"}, {"Nearest", "nearest"}}};
};

// Grid points across and down, the two border points included.
constexpr int32_t kPSPlimMinGridPoints = 5;
constexpr int32_t kPSPlimMaxGridPoints = 152;

template <class Choice>
constexpr int32_t PSPlimChoiceCount()
{
    return int32_t(PSPlimChoiceTable<Choice>::names.size());
}

template <class Choice>
constexpr int32_t PSPlimStored(Choice choice)
{
    return static_cast<int32_t>(choice);
}

// The choice a stored number names, if it names one.
template <class Choice>
constexpr std::optional<Choice> PSPlimChoiceFrom(int32_t stored)
{
    if (stored < 0 || stored >= PSPlimChoiceCount<Choice>())
        return std::nullopt;
    return static_cast<Choice>(stored);
}

// A stored number forced into the range: below it the first choice, above
// it the last, as the record's validation does.
template <class Choice>
constexpr Choice PSPlimForcedChoice(int32_t stored)
{
    return static_cast<Choice>(stored < 0 ? 0 : stored >= PSPlimChoiceCount<Choice>() ? PSPlimChoiceCount<Choice>() - 1
                                                                                        : stored);
}

template <class Choice>
constexpr std::string_view PSPlimShownName(Choice choice)
{
    return PSPlimChoiceTable<Choice>::names[size_t(PSPlimStored(choice))].shown;
}

template <class Choice>
constexpr std::optional<Choice> PSPlimChoiceByKeyword(std::string_view keyword)
{
    for (int32_t k = 0; k < PSPlimChoiceCount<Choice>(); ++k) {
        if (PSPlimChoiceTable<Choice>::names[size_t(k)].keyword == keyword)
            return static_cast<Choice>(k);
    }
    return std::nullopt;
}
