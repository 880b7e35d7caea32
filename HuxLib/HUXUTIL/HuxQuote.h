// Quoting untrusted text (a word of a script, a file name, a library's
// reason) into a message: bounded in length and safe to print on a terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text in single quotes. Control characters (C0, DEL, C1), bytes that
// are not well-formed UTF-8, the backslash and the quote itself are written
// as escapes (\n, \t, \r, \\, \', \xNN), so a NUL cannot cut the message
// and no byte reaches the terminal raw. Text longer than `maxBytes` input
// bytes is cut at a character boundary and the quote ends with "..." and
// the full length: 'abc...' (2000000 bytes).
std::string HuxQuote(std::string_view text, size_t maxBytes = 48);
