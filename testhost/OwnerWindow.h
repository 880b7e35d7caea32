// The host's main window for PlatformData: a host passes it as the owner of
// the plug-in's dialogs. On Windows a hidden top-level window; natively
// there are no windows and the handle is 0, as some real hosts pass too.
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
