// The toolbar resource (resource type 241): 16-bit little-endian words
// version (1), button width, button height, item count, then one command id
// per item, 0 for a separator. The n-th button takes the n-th image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

constexpr uint16_t kHuxToolbarResourceType = 241;

struct HuxToolbarLayout {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> commands; // 0: separator
};

// None for a version other than 1, a zero button size, or a resource too
// short for the count it states.
std::optional<HuxToolbarLayout> HuxParseToolbarResource(const uint8_t* data, size_t size);

// Buttons (not separators) of a layout: the number of images it uses.
size_t HuxToolbarButtonCount(const HuxToolbarLayout& layout);
