#include "HuxLib/HUXWIN/win32/CToolBar.h"

#include <commctrl.h>

#include <vector>

#include "HuxLib/HUXWIN/HuxToolbarResource.h"
#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"

namespace {

// The control bar's usual button: image plus 7 pixels.
constexpr int kButtonMargin = 7;
// The art's stand-in for the button face, masked out.
constexpr COLORREF kButtonFace = RGB(192, 192, 192);

std::optional<HuxToolbarLayout> ToolbarResource(UINT id)
{
    HMODULE module = HuxResourceModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kHuxToolbarResourceType));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return HuxParseToolbarResource(static_cast<const uint8_t*>(data), SizeofResource(module, found));
}

} // namespace

void CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id)
{
    HuxEnsureCommonControls();
    // The parent lays the bar out: the control must not place itself.
    const DWORD layout = CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style | ctrlStyle | layout, RECT{}, parent, id);
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
}

bool CToolBar::LoadToolBar(UINT id)
{
    const std::optional<HuxToolbarLayout> layout = ToolbarResource(id);
    if (!layout)
        return false;
    m_imageSize = {layout->width, layout->height};
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (uint16_t command : layout->commands) {
        TBBUTTON button{};
        button.idCommand = command;
        if (command == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = image++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(button);
    }
    return SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

bool CToolBar::SetImages(UINT bitmapId, HuxArtScale scale)
{
    const HuxPointI size = HuxArtSize(m_imageSize, scale);
    if (!m_images.Create(bitmapId, size.x, 0, kButtonFace))
        return false;
    // An image list, unlike added bitmaps, can be replaced at another size.
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.GetSafeHandle()));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.x + kButtonMargin, size.y + kButtonMargin));
    SendMessage(TB_AUTOSIZE);
    Invalidate(true);
    return true;
}

void CToolBar::OnUpdateCmdUI(CWnd& target, bool disableIfNoHandler)
{
    const int count = GetButtonCount();
    for (int index = 0; index < count; ++index) {
        const UINT command = GetItemID(index);
        if (command == 0)
            continue;
        CCmdUI ui(command);
        const bool handled = target.OnUpdateCommandUI(ui);
        const auto state = static_cast<uint8_t>(GetButtonState(command));
        const uint8_t updated = HuxUpdatedButtonState(state, handled ? &ui : nullptr, disableIfNoHandler);
        if (updated != state)
            SendMessage(TB_SETSTATE, command, MAKELPARAM(updated, 0));
    }
}

int CToolBar::GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }

UINT CToolBar::GetItemID(int index) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return (button.fsStyle & BTNS_SEP) ? 0 : static_cast<UINT>(button.idCommand);
}

UINT CToolBar::GetButtonState(UINT command) const
{
    const LRESULT state = SendMessage(TB_GETSTATE, command);
    return state < 0 ? 0 : static_cast<UINT>(state);
}

HWND CToolBar::GetToolTips() const { return reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS)); }
