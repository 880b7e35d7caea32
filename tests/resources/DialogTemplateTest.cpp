// The two dialog templates as compiled: window style, caption, font, size
// and every control with its id, class, text, styles and rectangle.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ResourceFile.h"
#include "resources/ResourceIds.h"

namespace {

using ResourceFile::Reader;

// Windows' values, written out here so that a wrong name in the resource
// script cannot agree with itself.
constexpr uint32_t WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_VSCROLL = 0x00200000, WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000;
constexpr uint32_t DS_SETFONT = 0x40, DS_MODALFRAME = 0x80, DS_CONTEXTHELP = 0x2000;
constexpr uint32_t WS_EX_STATICEDGE = 0x00020000;
constexpr uint32_t SS_NOTIFY = 0x100, SS_SUNKEN = 0x1000;
constexpr uint32_t BS_DEFPUSHBUTTON = 1, BS_AUTOCHECKBOX = 3, BS_GROUPBOX = 7, BS_AUTORADIOBUTTON = 9;
constexpr uint32_t CBS_DROPDOWNLIST = 3, ES_AUTOHSCROLL = 0x80;
constexpr uint32_t TBS_BOTH = 0x8, TBS_NOTICKS = 0x10;
constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CONTEXTHELP;

struct Control {
    uint32_t id;
    std::string className;   // as stored: the resource compiler writes class names in capitals
    std::string text;
    uint32_t style;
    uint32_t exStyle;
    int x, y, cx, cy;
};

struct Dialog {
    uint32_t style = 0;
    std::string caption;
    int pointSize = 0;
    std::string font;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::vector<Control> controls;
};

// DLGTEMPLATEEX: version 1, signature 0xFFFF, help id, extended style,
// style, control count, rectangle, menu, class, caption, then the font
// (point size, weight, italic, character set, face) when DS_SETFONT is set.
// Each DLGITEMTEMPLATEEX starts on a 4-byte boundary.
Dialog ReadDialog(const std::vector<uint8_t>& data)
{
    Reader r(data);
    EXPECT_EQ(r.U16(), 1);
    EXPECT_EQ(r.U16(), 0xFFFF);
    r.U32();
    EXPECT_EQ(r.U32(), 0u) << "extended style";
    Dialog dialog;
    dialog.style = r.U32();
    const uint16_t count = r.U16();
    dialog.x = r.S16(), dialog.y = r.S16(), dialog.cx = r.S16(), dialog.cy = r.S16();
    EXPECT_EQ(r.SzOrOrd().text, "") << "menu";
    EXPECT_EQ(r.SzOrOrd().text, "") << "window class";
    dialog.caption = r.Utf16();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = r.U16();
        r.U16(), r.U8(), r.U8();
        dialog.font = r.Utf16();
    }
    for (uint16_t i = 0; i < count; ++i) {
        r.AlignTo(4);
        Control c{};
        r.U32();   // help id
        c.exStyle = r.U32();
        c.style = r.U32();
        c.x = r.S16(), c.y = r.S16(), c.cx = r.S16(), c.cy = r.S16();
        c.id = r.U32();
        const ResourceFile::Key cls = r.SzOrOrd();
        // (Appending, not "#" + ..., which GCC 12 at -O2 wrongly flags as overlapping.)
        c.className = cls.number < 0 ? cls.text : std::string("#").append(std::to_string(cls.number));
        c.text = r.SzOrOrd().text;
        r.Skip(r.U16());   // creation data
        dialog.controls.push_back(c);
    }
    return dialog;
}

void ExpectControls(const Dialog& dialog, const std::vector<Control>& expected)
{
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Control& got = dialog.controls[i];
        const Control& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(want.id));
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.className, want.className);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.style, want.style) << std::hex << "got 0x" << got.style << ", want 0x" << want.style;
        EXPECT_EQ(got.exStyle, want.exStyle);
        EXPECT_EQ((std::vector<int>{got.x, got.y, got.cx, got.cy}),
                  (std::vector<int>{want.x, want.y, want.cx, want.cy}));
    }
}

Dialog Load(int id)
{
    const auto resources = ResourceFile::Read(SQUELM_DIALOGS_RES);
    const ResourceFile::Resource& resource = ResourceFile::Find(resources, 5, id);
    EXPECT_EQ(resource.language, 0x0409);
    return ReadDialog(resource.data);
}

TEST(CompiledDialogs, EditorTemplateHasTheCaptionFontSizeAndStyle)
{
    const Dialog dialog = Load(IDD_SQUELM_EDITOR);
    // The font statement adds DS_SETFONT, which makes the font part of the template.
    EXPECT_EQ(dialog.style, kDialogStyle | DS_SETFONT);
    EXPECT_EQ(dialog.caption, "Squelm!");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ((std::vector<int>{dialog.x, dialog.y, dialog.cx, dialog.cy}), (std::vector<int>{0, 0, 335, 313}));
}

TEST(CompiledDialogs, EditorControlsInTabOrder)
{
    const uint32_t label = kChild;
    const uint32_t toolBox = kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    const uint32_t slider = kChild | TBS_NOTICKS | TBS_BOTH | WS_TABSTOP;
    ExpectControls(Load(IDD_SQUELM_EDITOR), {
        {9002, "STATIC", "Toolbar goes here", WS_CHILD | WS_BORDER | WS_GROUP, 0, 7, 0, 194, 19},
        {7015, "STATIC", "", WS_CHILD | WS_GROUP | SS_SUNKEN, 0, 212, 0, 116, 20},
        {9011, "STATIC", "Left Button Tool:", label, 0, 7, 24, 54, 8},
        {9007, "COMBOBOXEX32", "", toolBox, 0, 7, 33, 60, 87},
        {9012, "STATIC", "Right Button Tool:", label, 0, 73, 24, 58, 8},
        {9006, "COMBOBOXEX32", "", toolBox, 0, 73, 33, 60, 105},
        {9013, "STATIC", "Tool Size:", label, 0, 142, 24, 32, 8},
        {9004, "MSCTLS_TRACKBAR32", "Slider1", slider, WS_EX_STATICEDGE, 142, 33, 90, 17},
        {9014, "STATIC", "Tool Power:", label, 0, 238, 24, 39, 8},
        {9005, "MSCTLS_TRACKBAR32", "Slider1", slider, WS_EX_STATICEDGE, 238, 33, 90, 17},
        {9003, "STATIC", "Plim Control", WS_CHILD | WS_BORDER | WS_GROUP | SS_NOTIFY, WS_EX_STATICEDGE, 7, 55, 321, 225},
        {7010, "BUTTON", "In", kChild | WS_GROUP | WS_TABSTOP, 0, 7, 286, 20, 20},
        {7012, "BUTTON", "Move", kChild | WS_TABSTOP, 0, 33, 286, 20, 20},
        {7004, "BUTTON", "Out", kChild | WS_TABSTOP, 0, 59, 286, 20, 20},
        {1, "BUTTON", "OK", kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 166, 292, 50, 14},
        {2, "BUTTON", "Cancel", kChild | WS_TABSTOP, 0, 222, 292, 50, 14},
        {9001, "BUTTON", "&Help", kChild | WS_TABSTOP, 0, 278, 292, 50, 14},
        {9025, "STATIC", "Static", kChild | WS_GROUP | SS_SUNKEN, 0, 84, 290, 57, 13},
    });
}

TEST(CompiledDialogs, OptionsTemplateHasTheCaptionFontSizeAndStyle)
{
    const Dialog dialog = Load(IDD_SQUELM_OPTIONS);
    EXPECT_EQ(dialog.style, kDialogStyle | DS_SETFONT);
    EXPECT_EQ(dialog.caption, "Squelm! Options");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ((std::vector<int>{dialog.x, dialog.y, dialog.cx, dialog.cy}), (std::vector<int>{0, 0, 285, 137}));
}

TEST(CompiledDialogs, OptionsControlsInTabOrder)
{
    const uint32_t label = kChild;
    const uint32_t swatch = kChild | WS_GROUP | WS_TABSTOP | SS_NOTIFY | SS_SUNKEN;
    const uint32_t box = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    const uint32_t noControl = 0xFFFFFFFF;
    ExpectControls(Load(IDD_SQUELM_OPTIONS), {
        {9027, "STATIC", "&Grid Colour:", label, 0, 7, 7, 38, 8},
        {9008, "STATIC", "Grid Colour Control", swatch, 0, 7, 16, 35, 18},
        {9028, "STATIC", "&Tool Size Indicator:", label, 0, 70, 7, 62, 8},
        {9009, "STATIC", "Tool Colour Control", swatch, 0, 70, 16, 35, 18},
        {noControl, "BUTTON", "Grid Size", kChild | BS_GROUPBOX, 0, 8, 42, 130, 42},
        {9029, "STATIC", "Points &Across:", label, 0, 17, 52, 46, 8},
        {9015, "EDIT", "", box, 0, 17, 61, 44, 14},
        {9030, "STATIC", "Points &Down:", label, 0, 79, 52, 43, 8},
        {9016, "EDIT", "", box, 0, 79, 61, 44, 14},
        {9010, "BUTTON", "Use &interpolation", kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 90, 69, 10},
        {9026, "BUTTON", "&Knockout non-selected areas", kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 147, 7, 109, 10},
        {9011, "STATIC", "Knockout Colour Control", swatch, 0, 188, 17, 35, 18},
        {9020, "BUTTON", "&Repeat edge pixels", kChild | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 155, 55, 77, 10},
        {9023, "BUTTON", "&Use this colour", kChild | BS_AUTORADIOBUTTON, 0, 155, 71, 63, 10},
        {9031, "BUTTON", "Trans&parent", kChild | BS_AUTORADIOBUTTON, 0, 221, 71, 53, 10},
        {9024, "STATIC", "", kChild | WS_GROUP | SS_NOTIFY, WS_EX_STATICEDGE, 187, 86, 35, 18},
        {noControl, "BUTTON", "When area outside image is exposed", kChild | BS_GROUPBOX, 0, 148, 42, 130, 69},
        {1, "BUTTON", "OK", kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 119, 116, 50, 14},
        {2, "BUTTON", "Cancel", kChild | WS_TABSTOP, 0, 173, 116, 50, 14},
        {9001, "BUTTON", "&Help", kChild | WS_TABSTOP, 0, 228, 116, 50, 14},
    });
}

}
