#include "HuxLib/HUXWIN/HuxToolbarResource.h"

#include <algorithm>

namespace {

constexpr uint16_t kVersion = 1;
constexpr size_t kHeaderWords = 4;

uint16_t WordAt(const uint8_t* data, size_t index)
{
    return static_cast<uint16_t>(data[2 * index] | (data[2 * index + 1] << 8));
}

} // namespace

std::optional<HuxToolbarLayout> HuxParseToolbarResource(const uint8_t* data, size_t size)
{
    if (!data || size < 2 * kHeaderWords || WordAt(data, 0) != kVersion)
        return std::nullopt;
    HuxToolbarLayout layout;
    layout.width = WordAt(data, 1);
    layout.height = WordAt(data, 2);
    const size_t count = WordAt(data, 3);
    if (layout.width == 0 || layout.height == 0 || size / 2 - kHeaderWords < count)
        return std::nullopt;
    for (size_t item = 0; item < count; ++item)
        layout.commands.push_back(WordAt(data, kHeaderWords + item));
    return layout;
}

size_t HuxToolbarButtonCount(const HuxToolbarLayout& layout)
{
    return static_cast<size_t>(std::count_if(layout.commands.begin(), layout.commands.end(),
                                             [](uint16_t command) { return command != 0; }));
}
