#include "testhost/OwnerWindow.h"

// No windows natively: the plug-in sees a host without an owner window.
namespace SquelmHost {

OwnerWindow::OwnerWindow() = default;

OwnerWindow::~OwnerWindow() = default;

} // namespace SquelmHost
