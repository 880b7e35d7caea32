// The editor's pictures at each scale they are drawn at: the bitmap
// resource a display of a given resolution shows.
#pragma once

#include "HuxLib/HUXWIN/HuxDpiScaling.h"

enum class PSPlimArt { Toolbar, ToolImages, ZoomIn, ZoomOut, ZoomLocator };

int PSPlimArtBitmap(PSPlimArt art, HuxArtScale scale);
