#include "ui/PSPlimPenInput.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kPenMarkMask = 0xFFFFFF00u;
constexpr uint32_t kPenMark = 0xFF515700u;
constexpr uint32_t kTouchBit = 0x80u;

// The sample's word: the reading in bits 0-10, then one bit each for
// "senses pressure" and the barrel button, then two for the phase.
constexpr uint32_t kReadingBits = 0x7FFu;
constexpr uint32_t kSensesBit = 1u << 11;
constexpr uint32_t kBarrelBit = 1u << 12;
constexpr int kPhaseShift = 13;
constexpr uint32_t kWordBits = (1u << (kPhaseShift + 2)) - 1;

} // namespace

double PSPlimMovePressure(bool pressureControlsPower, const std::optional<PSPlimPenSample>& pen)
{
    if (!pressureControlsPower || !pen || !pen->sensesPressure)
        return 1.0;
    return double(std::min(pen->pressure, kPSPlimFullPenPressure)) / double(kPSPlimFullPenPressure);
}

uint32_t PSPlimPenReadingFor(double pressure)
{
    return uint32_t(std::lround(std::clamp(pressure, 0.0, 1.0) * double(kPSPlimFullPenPressure)));
}

bool PSPlimMouseMessageFromPen(uint64_t extraInfo)
{
    const uint32_t low = uint32_t(extraInfo);
    return (low & kPenMarkMask) == kPenMark && (low & kTouchBit) == 0;
}

uint32_t PSPlimPackPenSample(const PSPlimPenSample& sample)
{
    return std::min(sample.pressure, kPSPlimFullPenPressure) | (sample.sensesPressure ? kSensesBit : 0u) |
           (sample.barrel ? kBarrelBit : 0u) | (uint32_t(sample.phase) << kPhaseShift);
}

std::optional<PSPlimPenSample> PSPlimUnpackPenSample(uint32_t word)
{
    const uint32_t phase = word >> kPhaseShift;
    const uint32_t reading = word & kReadingBits;
    if ((word & ~kWordBits) != 0 || phase > uint32_t(PSPlimPenSample::Phase::Up) || reading > kPSPlimFullPenPressure)
        return std::nullopt;
    return PSPlimPenSample{PSPlimPenSample::Phase(phase), (word & kBarrelBit) != 0, (word & kSensesBit) != 0, reading};
}

bool PSPlimPressureToggleFromText(const std::optional<std::wstring>& text) { return text && *text == L"1"; }

std::wstring PSPlimPressureToggleText(bool on) { return on ? L"1" : L"0"; }
