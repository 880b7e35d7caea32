#include "HuxLib/HUXEDIT/HuxUndoList.h"

#include <cstdio>

namespace HuxEditor {

// No message box without a window system: the text goes to the error stream.
void ShowEditFailure(const char* message)
{
    std::fprintf(stderr, "%s\n", message);
}

} // namespace HuxEditor
