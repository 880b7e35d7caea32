// HTML Help for the dialogs: topics, pop-up help on F1 and "What's This?".
// On Windows HtmlHelpA comes from hhctrl.ocx, loaded when first needed; a
// system without it shows no help and nothing fails. Natively nothing is
// shown. Each finished call goes to HuxShowHtmlHelp (HuxHtmlHelpViewer.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "HuxLib/HuxGeometry/HuxRect.h"

// The HTML Help commands used (HtmlHelp's own numbers).
constexpr unsigned kHuxHelpDisplayTopic = 0;
constexpr unsigned kHuxHelpContextMenu = 16; // pop-up for a control, from a context menu
constexpr unsigned kHuxHelpWmHelp = 17;      // pop-up for a control, from the F1 help message

// The "What's This?" menu item.
constexpr const char* kHuxWhatsThisText = "What's This?";
constexpr unsigned kHuxWhatsThisCommand = 1000000;

// One call as HtmlHelpA receives it: `path` is the help file's path in the
// system's ANSI code page followed by the topic.
struct HuxHtmlHelpCall {
    intptr_t window = 0;
    std::string path;
    unsigned command = 0;
    uintptr_t data = 0;
};

// The file that holds `module` (a module handle), as UTF-8; empty when it
// cannot be found, and always natively.
std::string HuxModuleFilePath(void* module);

// HtmlHelpA(window, helpFile + topic, command, data); helpFile is UTF-8.
void HuxHtmlHelp(intptr_t window, const std::string& helpFile, std::string_view topic, unsigned command,
                 uintptr_t data);

// The "What's This?" menu of a dialog at a screen point (see
// HuxWhatsThisHit): over a listed control, a one-item menu; if the user
// picks the item, the control's pop-up help (kHuxHelpContextMenu).
void HuxShowWhatsThisMenu(intptr_t dialog, const std::string& helpFile, std::string_view topic,
                          const uint32_t* idTable, HuxPointI screenPoint);
