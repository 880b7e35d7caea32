// The system's dialogs that choose a file to save or to open, owned by a
// window, with one filter and a default extension.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct HuxFileQuestion {
    HWND owner = nullptr;
    bool save = false;         // Save As (asks before replacing a file) or Open (the file must exist)
    std::string title;         // strings in the ANSI code page
    std::string filterName;    // "Squelm meshes (*.sqmesh)"
    std::string extension;     // without the dot; the filter's files and the one a bare name gets
    std::string folder;        // where the dialog opens; empty: the system's choice
};

// The chosen file's path in the ANSI code page, which the C library's file
// functions take; empty when that code page cannot write it. None when the
// user cancelled or the dialog could not open.
std::optional<std::string> HuxAskForFile(const HuxFileQuestion& question);
