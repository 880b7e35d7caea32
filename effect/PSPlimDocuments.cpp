#include "effect/PSPlimDocuments.h"

#include <algorithm>

namespace {

using Model = HuxPSColourModel;

struct SupportedMode {
    Model model;
    int32_t depth;
};

// Every supported colour model and depth, with any transparency: the warp
// carries an editable layer's transparency with its colour, and leaves a
// protected layer's to the host.
constexpr SupportedMode kSupported[] = {
    {Model::Grey, 8}, {Model::RGB, 8}, {Model::CMYK, 8}, {Model::Lab, 8},
    {Model::Grey, 16}, {Model::RGB, 16}, {Model::CMYK, 16}, {Model::Lab, 16},
};

} // namespace

bool PSPlimTakesDocument(const HuxPSDocument& document)
{
    return document.layoutFits && std::ranges::any_of(kSupported, [&](const SupportedMode& mode) {
               return mode.model == document.kind.model && mode.depth == document.kind.depth;
           });
}
