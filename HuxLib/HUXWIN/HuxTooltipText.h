// Tooltips show only the tip of a command string: "prompt\ntip".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The size of the text buffer in a tooltip's text request.
constexpr size_t kHuxTooltipBufferSize = 80;

// The text after the first newline, cut so that it fits a buffer of
// bufferSize characters with its terminating zero; none when the string
// holds no newline (or the buffer has no room at all).
std::optional<std::string> HuxTooltipTip(std::string_view commandString, size_t bufferSize = kHuxTooltipBufferSize);
// The same for wide strings (the buffer then counts wide characters).
std::optional<std::wstring> HuxTooltipTip(std::wstring_view commandString,
                                          size_t bufferSize = kHuxTooltipBufferSize);
