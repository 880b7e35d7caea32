// Windows: a hidden top-level window for the host's PlatformData. A host
// passes its main window as the owner of the plug-in's dialogs.
#pragma once

#include <cstdint>

namespace SquelmHost {

class OwnerWindow {
public:
    OwnerWindow(); // on the calling thread, which must be the one calling the plug-in
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    intptr_t Handle() const { return handle_; }

private:
    intptr_t handle_ = 0;
};

} // namespace SquelmHost
