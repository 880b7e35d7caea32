#include "HuxLib/HUXUTIL/HuxQuote.h"

#include <cstdint>
#include <cstdio>

namespace {

// Length of the well-formed UTF-8 sequence at the start of `text`, or 0.
// Overlong forms, surrogates and code points past U+10FFFF are not well formed.
size_t Utf8SequenceLength(std::string_view text, uint32_t& codePoint)
{
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

void AppendHex(std::string& out, uint8_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", unsigned(value));
    out += text;
}

void AppendBytesEscaped(std::string& out, std::string_view bytes)
{
    for (const char c : bytes)
        AppendHex(out, static_cast<uint8_t>(c));
}

} // namespace

std::string HuxQuote(std::string_view text, size_t maxBytes)
{
    std::string out = "'";
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const auto u = static_cast<uint8_t>(c);
        size_t length = 1;
        uint32_t codePoint = u;
        if (u >= 0x80) {
            length = Utf8SequenceLength(text.substr(i), codePoint);
            if (length == 0)
                length = 1, codePoint = 0xFFFFFFFF; // a stray byte: escaped below
        }
        if (i + length > maxBytes)
            break;
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\\' || c == '\'')
            out += '\\', out += c;
        else if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0) || codePoint == 0xFFFFFFFF)
            AppendBytesEscaped(out, text.substr(i, length));
        else
            out.append(text, i, length);
        i += length;
    }
    if (i == text.size())
        return out + "'";
    return out + "...' (" + std::to_string(text.size()) + " bytes)";
}
