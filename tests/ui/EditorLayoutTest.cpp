// Where the editor dialog's controls go in a resized client area.
#include <gtest/gtest.h>

#include "resources/ResourceIds.h"
#include "ui/PSPlimEditorLayout.h"

namespace {

constexpr HuxPointI kTemplate{500, 500};

struct Case {
    int id;
    HuxRect atTemplate;
    HuxRect wider; // in a client 300 wider and 200 taller
};

// The ids 1 and 2 are the dialog manager's OK and Cancel.
const Case kCases[] = {
    {IDC_EDITOR_TOOLBAR, {10, 0, 300, 26}, {10, 0, 300, 26}},
    {IDC_TOOLBAR_SEPARATOR, {0, 26, 500, 28}, {0, 26, 800, 28}},
    {IDC_TOOL_POWER, {350, 50, 480, 75}, {350, 50, 480, 75}},
    {IDC_EDITOR_CONTROL, {10, 90, 490, 430}, {10, 90, 790, 630}},
    {IDC_ZOOM_IN, {10, 440, 40, 470}, {10, 640, 40, 670}},
    {IDC_ZOOM_RATIO, {120, 445, 200, 465}, {120, 645, 200, 665}},
    {1, {250, 450, 320, 470}, {550, 650, 620, 670}},
    {2, {330, 450, 400, 470}, {630, 650, 700, 670}},
    {IDC_HELP_BUTTON, {410, 450, 480, 470}, {710, 650, 780, 670}},
};

TEST(EditorLayout, EachControlKeepsToItsEdgesAndTheEditorTakesTheRoom)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.id);
        const HuxAnchor anchor = PSPlimEditorAnchor(c.id);
        EXPECT_EQ(HuxAnchoredRect(c.atTemplate, anchor, kTemplate, kTemplate), c.atTemplate);
        EXPECT_EQ(HuxAnchoredRect(c.atTemplate, anchor, kTemplate, {800, 700}), c.wider);
        // Narrower than the template (never, given the minimum size): as the template.
        EXPECT_EQ(HuxAnchoredRect(c.atTemplate, anchor, kTemplate, {400, 450}), c.atTemplate);
    }
}

} // namespace
