#include "HuxLib/HUXWIN/HuxHelpPath.h"

std::string HuxFileBesideModule(std::string_view modulePath, std::string_view fileName)
{
    // Separators are ASCII, and no byte of a multi-byte character in UTF-8
    // or in the East Asian code pages that HTML Help's ANSI path may use is
    // taken for one: their trail bytes start at 0x40, above ':' and '/'.
    // '\' (0x5C) can be a trail byte in the Japanese, Chinese and Korean
    // code pages; callers hand such paths over as UTF-8 (HuxModuleFilePath).
    const size_t cut = modulePath.find_last_of("\\/:");
    std::string path(cut == std::string_view::npos ? std::string_view() : modulePath.substr(0, cut + 1));
    path += fileName;
    return path;
}
