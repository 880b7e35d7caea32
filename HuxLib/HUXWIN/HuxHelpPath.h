// Where the help file is found: beside the library's own file.
#pragma once

#include <string>
#include <string_view>

constexpr const char* kHuxHelpFileName = "Squelm.chm";

// The drive and directory of modulePath (everything up to and including its
// last '\', '/' or drive colon) followed by fileName. Works on bytes, so a
// UTF-8 or ANSI path keeps its other characters as they are; a path without
// a directory gives fileName alone.
std::string HuxFileBesideModule(std::string_view modulePath, std::string_view fileName);
