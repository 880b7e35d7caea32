// The editor's keyboard: which key asks for which command, whatever control
// has the focus. Keys going down are read by their virtual-key code, so that
// Ctrl+Z is Ctrl+Z on every layout; the tool-size keys by the character
// typed, so that [ and ] work wherever a layout puts them.
#pragma once

#include <cstdint>
#include <optional>

enum class PSPlimKey { Undo, Redo, SmallerTool, LargerTool, ZoomIn, ZoomOut, ZoomToFit, Escape };

// Virtual-key codes, numbered as the system numbers them.
namespace PSPlimVirtualKey {
inline constexpr uint32_t kEscape = 0x1B;
inline constexpr uint32_t kSpace = 0x20;
inline constexpr uint32_t kZero = 0x30;
inline constexpr uint32_t kY = 0x59;
inline constexpr uint32_t kZ = 0x5A;
inline constexpr uint32_t kNumpadZero = 0x60;
inline constexpr uint32_t kAdd = 0x6B;      // on the numeric keypad
inline constexpr uint32_t kSubtract = 0x6D; // on the numeric keypad
inline constexpr uint32_t kOemPlus = 0xBB;  // the = + key
inline constexpr uint32_t kOemMinus = 0xBD; // the - _ key
} // namespace PSPlimVirtualKey

struct PSPlimKeyPress {
    uint32_t virtualKey = 0;
    bool control = false;
    bool shift = false;
    bool alt = false;
};

// A key going down: Ctrl+Z undo; Ctrl+Y and Ctrl+Shift+Z redo; Ctrl+= (or
// Ctrl++, on either keyboard) zoom in; Ctrl+- zoom out; Ctrl+0 fit; Esc.
std::optional<PSPlimKey> PSPlimKeyForPress(const PSPlimKeyPress& press);
// A character typed: [ smaller tool, ] larger tool.
std::optional<PSPlimKey> PSPlimKeyForCharacter(uint32_t character);

// The size slider's position one step down or up, kept on the slider.
int PSPlimSteppedSizePosition(int position, PSPlimKey key);
