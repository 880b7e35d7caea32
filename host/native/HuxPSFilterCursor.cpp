#include "host/HuxPSFilter.h"

// No cursors without a window system.
intptr_t HuxPSFilter::GetDragCursor() const { return 0; }
