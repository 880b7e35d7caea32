#include "ui/PSPlimArtwork.h"

#include <array>

#include "resources/ResourceIds.h"

namespace {

struct ArtBitmaps {
    PSPlimArt art;
    std::array<int, 3> ids; // 100 %, 150 %, 200 %
};

constexpr ArtBitmaps kArtBitmaps[] = {
    {PSPlimArt::Toolbar, {IDR_EDITOR_TOOLBAR, IDB_TOOLBAR_150, IDB_TOOLBAR_200}},
    {PSPlimArt::ToolImages, {IDB_TOOL_IMAGES, IDB_TOOL_IMAGES_150, IDB_TOOL_IMAGES_200}},
    {PSPlimArt::ZoomIn, {IDB_ZOOM_IN, IDB_ZOOM_IN_150, IDB_ZOOM_IN_200}},
    {PSPlimArt::ZoomOut, {IDB_ZOOM_OUT, IDB_ZOOM_OUT_150, IDB_ZOOM_OUT_200}},
    {PSPlimArt::ZoomLocator, {IDB_ZOOM_LOCATOR, IDB_ZOOM_LOCATOR_150, IDB_ZOOM_LOCATOR_200}},
};

size_t ScaleIndex(HuxArtScale scale)
{
    switch (scale) {
    case HuxArtScale::Percent100: return 0;
    case HuxArtScale::Percent150: return 1;
    case HuxArtScale::Percent200: return 2;
    }
    return 0;
}

} // namespace

int PSPlimArtBitmap(PSPlimArt art, HuxArtScale scale)
{
    for (const ArtBitmaps& entry : kArtBitmaps)
        if (entry.art == art)
            return entry.ids[ScaleIndex(scale)];
    return 0;
}
