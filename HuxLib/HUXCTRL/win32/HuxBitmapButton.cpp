#include "HuxLib/HUXCTRL/win32/HuxBitmapButton.h"

#include <stdexcept>
#include <string>

#include "HuxLib/HUXCTRL/HuxButtonFace.h"
#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"
#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiSelection.h"
#include "HuxLib/HUXUTIL/win32/HuxMemoryDC.h"
#include "HuxLib/HUXUTIL/win32/HuxWindowDC.h"
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

// The context a face is copied from: none without the face, so that its
// copy steps are skipped rather than copying an empty context.
HuxMemoryDC FaceContext(HDC compatible, HBITMAP face) { return face ? HuxMemoryDC(compatible) : HuxMemoryDC(); }

} // namespace

HuxBitmapButton::HuxBitmapButton() { m_buffer.SetOwner(this); }

// The window goes first, so that no message finds the faces gone.
HuxBitmapButton::~HuxBitmapButton() { DestroyWindow(); }

void HuxBitmapButton::DeleteFaces()
{
    m_face = {};
    m_disabledFace = {};
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
    m_source = HuxGdiObject<HBITMAP>(static_cast<HBITMAP>(
        LoadImageA(HuxResourceModule(), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    m_width = m_height = 0;
    DeleteFaces();
    if (!m_source.Get())
        throw std::runtime_error("HuxBitmapButton: no bitmap " + std::to_string(resourceId));
    BITMAP size{};
    GetObjectA(m_source.Get(), sizeof size, &size);
    m_width = size.bmWidth;
    m_height = size.bmHeight;
    BuildFaces();
    Invalidate(true);
}

HuxGdiObject<HBITMAP> HuxBitmapButton::BitmapFrom(const HuxDIBBuffer& picture) const
{
    const HuxWindowDC screen(m_hWnd);
    HuxGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), picture.Width(), picture.AbsHeight()));
    if (bitmap.Get())
        SetDIBits(screen.Get(), bitmap.Get(), 0, UINT(picture.AbsHeight()), picture.Pixels(), InfoOf(picture),
                  DIB_RGB_COLORS);
    return bitmap;
}

void HuxBitmapButton::BuildFaces()
{
    DeleteFaces();
    if (!m_source.Get())
        return;
    HuxDIBBuffer source;
    source.Create(m_width, -m_height, 24, nullptr);
    const int rows = GetDIBits(HuxWindowDC(m_hWnd).Get(), m_source.Get(), 0, UINT(m_height), source.Pixels(),
                               reinterpret_cast<BITMAPINFO*>(const_cast<HuxBitmapInfoHeader*>(source.Header())),
                               DIB_RGB_COLORS);
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
        m_state.DrawState(HuxFromRECT(item.rcItem), item.itemState, style, m_face.Get() != nullptr, m_width, m_height);
    const HDC buffer = m_buffer.Begin();
    if (!buffer)
        return true;
    const HuxMemoryDC face = FaceContext(buffer, m_face.Get());
    const HuxSelection faceSelected(face.Get(), m_face.Get());
    const HuxMemoryDC disabledFace = FaceContext(buffer, m_disabledFace.Get());
    const HuxSelection disabledFaceSelected(disabledFace.Get(), m_disabledFace.Get());
    HuxRunDrawSteps(buffer, HuxBitmapButtonSteps(state), {face.Get(), disabledFace.Get()});
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
