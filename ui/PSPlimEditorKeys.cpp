#include "ui/PSPlimEditorKeys.h"

#include "ui/PSPlimToolChoice.h"

#include <algorithm>

std::optional<PSPlimKey> PSPlimKeyForPress(const PSPlimKeyPress& press)
{
    namespace Vk = PSPlimVirtualKey;
    // Alt belongs to the dialog's mnemonics.
    if (press.alt)
        return std::nullopt;
    if (!press.control)
        return press.virtualKey == Vk::kEscape && !press.shift ? std::optional(PSPlimKey::Escape) : std::nullopt;
    switch (press.virtualKey) {
    case Vk::kZ: return press.shift ? PSPlimKey::Redo : PSPlimKey::Undo;
    case Vk::kY: return press.shift ? std::nullopt : std::optional(PSPlimKey::Redo);
    // "+" is the shifted "=" on many layouts: both zoom in.
    case Vk::kOemPlus:
    case Vk::kAdd: return PSPlimKey::ZoomIn;
    case Vk::kOemMinus:
    case Vk::kSubtract: return PSPlimKey::ZoomOut;
    case Vk::kZero:
    case Vk::kNumpadZero: return press.shift ? std::nullopt : std::optional(PSPlimKey::ZoomToFit);
    default: return std::nullopt;
    }
}

std::optional<PSPlimKey> PSPlimKeyForCharacter(uint32_t character)
{
    switch (character) {
    case '[': return PSPlimKey::SmallerTool;
    case ']': return PSPlimKey::LargerTool;
    default: return std::nullopt;
    }
}

int PSPlimSteppedSizePosition(int position, PSPlimKey key)
{
    const int step = key == PSPlimKey::LargerTool ? 1 : key == PSPlimKey::SmallerTool ? -1 : 0;
    return std::clamp(position + step, 0, kPSPlimSliderSteps);
}
