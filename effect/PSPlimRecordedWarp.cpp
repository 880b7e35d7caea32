#include "effect/PSPlimRecordedWarp.h"

#include "effect/PSPlimDescriptorKeys.h"
#include "grid/PSPlimMeshFile.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace {

[[noreturn]] void Refuse(const std::string& reason) { throw std::runtime_error(reason); }

const PSPlimDescriptorKey* KnownKey(PS::DescriptorKeyID key)
{
    const auto found = std::find_if(kPSPlimDescriptorKeys.begin(), kPSPlimDescriptorKeys.end(),
                                    [key](const PSPlimDescriptorKey& k) { return k.key == key; });
    return found == kPSPlimDescriptorKeys.end() ? nullptr : &*found;
}

const char* TypeWord(PS::DescriptorTypeID type)
{
    switch (type) {
    case PS::typeText: return "text";
    case PS::typeBoolean: return "a yes or no";
    case PS::typeFloat: return "a number";
    case PS::typeInteger: return "a whole number";
    default: return "a value of another kind";
    }
}

// A value holds the recorded type when the host said so and handed it over.
void CheckType(const HuxPSDescriptorItem& item, const PSPlimDescriptorKey& known)
{
    if (item.type != known.type || std::holds_alternative<std::monostate>(item.value))
        Refuse(std::string("the recorded ") + known.name + " is '" + HuxPSCodeText(item.type) + "', not " +
               TypeWord(known.type));
}

void Apply(const HuxPSDescriptorItem& item, PSPlimParameters& p)
{
    switch (item.key) {
    case kPSPlimKeyInterpolation: p.useInterpolation = std::get<bool>(item.value) ? 1 : 0; break;
    case kPSPlimKeySampleDensity: p.sampleDensity = std::get<double>(item.value); break;
    case kPSPlimKeySampleCountBias: p.sampleCountBias = std::get<double>(item.value); break;
    case kPSPlimKeyExposedArea: p.exposedAreaMode = std::get<int32_t>(item.value); break;
    case kPSPlimKeyExposedAreaColour: p.exposedAreaColour = uint32_t(std::get<int32_t>(item.value)); break;
    default: break;
    }
}

// The ranges are the parameters record's own: a recorded value that its
// validation would change is one the filter does not take.
void CheckRanges(const PSPlimParameters& recorded)
{
    PSPlimParameters valid = recorded;
    PSPlimValidateParameters(valid);
    const auto outside = [](const char* name) {
        Refuse(std::string("the recorded ") + name + " is outside what the filter takes");
    };
    if (!(valid.sampleDensity == recorded.sampleDensity))
        outside("sample density");
    if (!(valid.sampleCountBias == recorded.sampleCountBias))
        outside("sample count bias");
    if (valid.exposedAreaMode != recorded.exposedAreaMode)
        outside("exposed area");
}

} // namespace

HuxPSDescriptorItems PSPlimDescribeWarp(const PSPlimParameters& params, const PSPlimMesh& mesh)
{
    return {
        HuxPSText(kPSPlimKeyMesh, PSPlimEncodeMeshText(mesh)),
        HuxPSBoolean(kPSPlimKeyInterpolation, params.useInterpolation != 0),
        HuxPSFloat(kPSPlimKeySampleDensity, params.sampleDensity),
        HuxPSFloat(kPSPlimKeySampleCountBias, params.sampleCountBias),
        HuxPSInteger(kPSPlimKeyExposedArea, params.exposedAreaMode),
        HuxPSInteger(kPSPlimKeyExposedAreaColour, int32_t(params.exposedAreaColour)),
    };
}

PSPlimRecordedWarp PSPlimReadWarp(const HuxPSDescriptorItems& items, const PSPlimParameters& current)
{
    PSPlimRecordedWarp warp;
    warp.params = current;
    std::optional<std::string> meshText;
    for (const HuxPSDescriptorItem& item : items) {
        const PSPlimDescriptorKey* known = KnownKey(item.key);
        if (!known)
            continue;
        CheckType(item, *known);
        if (item.key == kPSPlimKeyMesh)
            meshText = std::get<std::string>(item.value);
        else
            Apply(item, warp.params);
    }
    if (!meshText)
        Refuse("the recorded step holds no mesh");
    try {
        warp.mesh = PSPlimDecodeMeshText(*meshText);
    } catch (const std::runtime_error& e) {
        Refuse(std::string("the recorded mesh does not read: ") + e.what());
    }
    CheckRanges(warp.params);
    return warp;
}
