// Base64 (RFC 4648, standard alphabet, padded, no line breaks): binary
// records carried inside text, such as a scripting descriptor's string.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string HuxBase64Encode(std::string_view bytes);

// The bytes the text encodes; nothing for text that is not canonical
// Base64: a character outside the alphabet (white space included), a length
// that is not a multiple of four, misplaced padding, or padding bits that
// are not zero. So every byte string has exactly one accepted text.
std::optional<std::string> HuxBase64Decode(std::string_view text);
