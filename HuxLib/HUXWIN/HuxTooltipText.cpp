#include "HuxLib/HUXWIN/HuxTooltipText.h"

namespace {

template <class Char>
std::optional<std::basic_string<Char>> TipOf(std::basic_string_view<Char> commandString, size_t bufferSize)
{
    const size_t newline = commandString.find(Char('\n'));
    if (newline == std::basic_string_view<Char>::npos || bufferSize == 0)
        return std::nullopt;
    const std::basic_string_view<Char> tip = commandString.substr(newline + 1);
    return std::basic_string<Char>(tip.substr(0, bufferSize - 1));
}

} // namespace

std::optional<std::string> HuxTooltipTip(std::string_view commandString, size_t bufferSize)
{
    return TipOf(commandString, bufferSize);
}

std::optional<std::wstring> HuxTooltipTip(std::wstring_view commandString, size_t bufferSize)
{
    return TipOf(commandString, bufferSize);
}
