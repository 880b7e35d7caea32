#include "HuxLib/HUXCTRL/win32/HuxBitmapButton.h"

#include <stdexcept>
#include <string>

#include "HuxLib/HUXCTRL/HuxButtonFace.h"
#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"
#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"
#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"

static_assert(kHuxBsPushButton == BS_PUSHBUTTON && kHuxBsDefPushButton == BS_DEFPUSHBUTTON &&
              kHuxBsOwnerDraw == BS_OWNERDRAW && kHuxBsTypeMask == BS_TYPEMASK && kHuxBsFlat == BS_FLAT);
static_assert(kHuxOdsSelected == ODS_SELECTED && kHuxOdsDisabled == ODS_DISABLED && kHuxOdsFocus == ODS_FOCUS);

namespace {

const BITMAPINFO* InfoOf(const HuxDIBBuffer& picture) { return reinterpret_cast<const BITMAPINFO*>(picture.Header()); }

HuxButtonFaceColours CurrentColours()
{
    return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
}

// A memory context holding a bitmap for the time of a copy.
class SelectedBitmap {
public:
    SelectedBitmap(HDC compatible, HBITMAP bitmap)
        : m_dc(bitmap ? CreateCompatibleDC(compatible) : nullptr),
          m_previous(m_dc ? SelectObject(m_dc, bitmap) : nullptr)
    {
    }
    ~SelectedBitmap()
    {
        if (m_dc) {
            SelectObject(m_dc, m_previous);
            DeleteDC(m_dc);
        }
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    HDC DC() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace

HuxBitmapButton::HuxBitmapButton() { m_buffer.SetOwner(this); }

HuxBitmapButton::~HuxBitmapButton()
{
    // The window goes first, so that no message finds the faces gone.
    DestroyWindow();
    DeleteFaces();
    if (m_source)
        DeleteObject(m_source);
}

void HuxBitmapButton::DeleteFaces()
{
    if (m_face)
        DeleteObject(m_face);
    if (m_disabledFace)
        DeleteObject(m_disabledFace);
    m_face = nullptr;
    m_disabledFace = nullptr;
}

void HuxBitmapButton::PreSubclassWindow()
{
    SwitchToOwnerDraw();
    CButton::PreSubclassWindow();
}

void HuxBitmapButton::SwitchToOwnerDraw()
{
    const auto style = static_cast<uint32_t>(GetWindowLongPtrA(m_hWnd, GWL_STYLE));
    const uint32_t owned = HuxOwnerDrawButtonStyle(style);
    if (owned != style)
        SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG_PTR(owned));
}

void HuxBitmapButton::SetBitmap(UINT resourceId)
{
    if (m_source)
        DeleteObject(m_source);
    m_source = static_cast<HBITMAP>(
        LoadImageA(HuxResourceModule(), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    m_width = m_height = 0;
    DeleteFaces();
    if (!m_source)
        throw std::runtime_error("HuxBitmapButton: no bitmap " + std::to_string(resourceId));
    BITMAP size{};
    GetObjectA(m_source, sizeof size, &size);
    m_width = size.bmWidth;
    m_height = size.bmHeight;
    BuildFaces();
    Invalidate(true);
}

HBITMAP HuxBitmapButton::BitmapFrom(const HuxDIBBuffer& picture) const
{
    const HDC screen = GetDC(m_hWnd);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.Width(), picture.AbsHeight());
    if (bitmap)
        SetDIBits(screen, bitmap, 0, UINT(picture.AbsHeight()), picture.Pixels(), InfoOf(picture), DIB_RGB_COLORS);
    ReleaseDC(m_hWnd, screen);
    return bitmap;
}

void HuxBitmapButton::BuildFaces()
{
    DeleteFaces();
    if (!m_source)
        return;
    HuxDIBBuffer source;
    source.Create(m_width, -m_height, 24, nullptr);
    const HDC screen = GetDC(m_hWnd);
    const int rows = GetDIBits(screen, m_source, 0, UINT(m_height), source.Pixels(),
                               reinterpret_cast<BITMAPINFO*>(const_cast<HuxBitmapInfoHeader*>(source.Header())),
                               DIB_RGB_COLORS);
    ReleaseDC(m_hWnd, screen);
    if (rows != m_height)
        throw std::runtime_error("HuxBitmapButton: the bitmap's pixels could not be read");
    const HuxButtonFaceColours colours = CurrentColours();
    HuxDIBBuffer face;
    HuxMapSystemColours(source, face, colours);
    HuxDIBBuffer disabledFace;
    HuxEmboss(source, disabledFace, colours);
    m_face = BitmapFrom(face);
    m_disabledFace = BitmapFrom(disabledFace);
}

bool HuxBitmapButton::DrawItem(DRAWITEMSTRUCT& item)
{
    const auto style = static_cast<uint32_t>(GetWindowLongPtrA(m_hWnd, GWL_STYLE));
    const HuxButtonDrawState state =
        m_state.DrawState(HuxFromRECT(item.rcItem), item.itemState, style, m_face != nullptr, m_width, m_height);
    const HDC buffer = m_buffer.Begin();
    if (!buffer)
        return true;
    const SelectedBitmap face(buffer, m_face);
    const SelectedBitmap disabledFace(buffer, m_disabledFace);
    HuxRunDrawSteps(buffer, HuxBitmapButtonSteps(state), {face.DC(), disabledFace.DC()});
    m_buffer.Flush(item.hDC, &item.rcItem);
    return true;
}

void HuxBitmapButton::React(const HuxButtonReaction& reaction)
{
    if (reaction.invalidate)
        Invalidate(true);
    if (reaction.startHoverTimer)
        m_timerId = SetTimer(HuxButtonState::kHoverTimerId, HuxButtonState::kHoverTimerMilliseconds);
    if (reaction.killHoverTimer && m_timerId) {
        KillTimer(m_timerId);
        m_timerId = 0;
    }
}

void HuxBitmapButton::OnTimer(UINT_PTR id)
{
    if (m_timerId && id == m_timerId) {
        POINT pointer{};
        GetCursorPos(&pointer);
        ::ScreenToClient(m_hWnd, &pointer);
        RECT client{};
        GetClientRect(&client);
        React(m_state.HoverTimer(PtInRect(&client, pointer) != FALSE));
    }
    Default();
}

LRESULT HuxBitmapButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE: React(m_state.MouseMove()); break;
    case WM_MOUSELEAVE: React(m_state.MouseLeave()); return 0;
    case BM_SETCHECK: React(m_state.SetCheck(int32_t(wParam))); return 0;
    case WM_ENABLE: {
        const LRESULT result = Default();
        React(m_state.Enable(wParam != FALSE));
        return result;
    }
    case WM_SETFOCUS: {
        const LRESULT result = Default();
        React(m_state.SetFocus());
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = Default();
        React(m_state.KillFocus());
        return result;
    }
    case WM_SYSCOLORCHANGE: {
        const LRESULT result = Default();
        BuildFaces();
        Invalidate(true);
        return result;
    }
    default: break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}
