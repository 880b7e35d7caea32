#include "effect/PSPlimDocuments.h"

#include <algorithm>
#include <iterator>

namespace {

using Model = HuxPSColourModel;
using Transparency = HuxPSTransparency;

// Every supported kind, one line each. The warp reads and writes three
// 8-bit planes and knows no transparency.
constexpr HuxPSDocumentKind kSupported[] = {
    {Model::RGB, 8, Transparency::None},
};

} // namespace

bool PSPlimTakesDocument(const HuxPSDocument& document)
{
    return document.layoutFits && std::ranges::find(kSupported, document.kind) != std::end(kSupported);
}
