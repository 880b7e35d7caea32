#include "HuxLib/HUXUTIL/HuxBase64.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The six bits a character stands for, or -1.
int SextetOf(char c)
{
    const size_t at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

} // namespace

std::string HuxBase64Encode(std::string_view bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < n ? static_cast<uint8_t>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k)
            text += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return text;
}

std::optional<std::string> HuxBase64Decode(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        // Only the last group may end in one or two '='.
        size_t padding = 0;
        while (last && padding < 2 && text[i + 3 - padding] == '=')
            ++padding;
        uint32_t group = 0;
        for (size_t k = 0; k < 4; ++k) {
            const int sextet = k < 4 - padding ? SextetOf(text[i + k]) : 0;
            if (sextet < 0)
                return std::nullopt;
            group = (group << 6) | static_cast<uint32_t>(sextet);
        }
        const size_t n = 3 - padding;
        if ((group & ((1u << (8 * padding)) - 1)) != 0) // bits past the last byte
            return std::nullopt;
        for (size_t k = 0; k < n; ++k)
            bytes += static_cast<char>((group >> (16 - 8 * k)) & 0xFF);
    }
    return bytes;
}
