#include "ui/PSPlimEditorLayout.h"

#include "resources/ResourceIds.h"

namespace {

// The dialog manager's ids of the OK and Cancel buttons.
constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;

} // namespace

HuxAnchor PSPlimEditorAnchor(int controlId)
{
    switch (controlId) {
    case IDC_TOOLBAR_SEPARATOR: return HuxAnchor::TopWide;
    case IDC_EDITOR_FRAME:
    case IDC_EDITOR_CONTROL: return HuxAnchor::Fill;
    case IDC_ZOOM_IN:
    case IDC_ZOOM_LOCATOR:
    case IDC_ZOOM_OUT:
    case IDC_ZOOM_RATIO: return HuxAnchor::BottomLeft;
    case kOkButton:
    case kCancelButton:
    case IDC_HELP_BUTTON: return HuxAnchor::BottomRight;
    default: return HuxAnchor::TopLeft;
    }
}
