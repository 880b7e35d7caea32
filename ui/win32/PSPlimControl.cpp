#include "ui/win32/PSPlimControl.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiSelection.h"
#include "HuxLib/HUXUTIL/win32/HuxPaintDC.h"
#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"
#include "HuxLib/HUXWIN/win32/HuxDpi.h"
#include "effect/CPSPlimPluginApp.h"
#include "ui/PSPlimControlScrolling.h"
#include "ui/PSPlimImageRectProperties.h"
#include "ui/win32/PSPlimDialog.h"

// PolyPolyline takes the polylines' points and counts as they are.
static_assert(sizeof(HuxPointI) == sizeof(POINT) && offsetof(POINT, y) == offsetof(HuxPointI, y));
static_assert(sizeof(DWORD) == sizeof(uint32_t));

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMilliseconds = 100;
constexpr WORD kPanCursorId = 9005;
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
constexpr DWORD kExStyle = WS_EX_CLIENTEDGE;
const char* const kImageRectProperties[] = {PSPlimImageRectProperties::kLeft, PSPlimImageRectProperties::kTop,
                                           PSPlimImageRectProperties::kRight, PSPlimImageRectProperties::kBottom};

HuxGeometry::HuxPoint2D ToPoint(POINT p) { return {double(p.x), double(p.y)}; }

// A message's position, 16 signed bits a coordinate.
POINT MessagePoint(LPARAM lParam) { return {short(LOWORD(lParam)), short(HIWORD(lParam))}; }

HCURSOR ArrowCursor() { return LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); } // IDC_ARROW

HCURSOR PanCursor()
{
    const HCURSOR cursor = LoadCursorA(HuxResourceModule(), MAKEINTRESOURCEA(kPanCursorId));
    return cursor ? cursor : ArrowCursor();
}

// The context's own pen in a colour (a solid one-pixel pen, so a paint
// creates no pen), selected for the caller's scope.
HuxSelection SelectPen(HDC dc, COLORREF colour)
{
    SetDCPenColor(dc, colour);
    return HuxSelection(dc, GetStockObject(DC_PEN));
}

} // namespace

PSPlimControl::PSPlimControl(PSPlimEditorCommands& commands)
    : m_commands(commands),
      m_app(&commands.App()),
      m_stroke(commands.Stroke()),
      m_penSampleMessage(RegisterWindowMessageA(kPSPlimPenSampleMessage))
{
    m_backBuffer.SetOwner(this);
}

// The window goes first: its last messages still find the buffer and the
// stroke state.
PSPlimControl::~PSPlimControl() { DestroyWindow(); }

void PSPlimControl::Create(CWnd* parent, const RECT& rect, UINT id)
{
    CreateEx(kExStyle, nullptr, "Plim Control", kStyle, rect, parent, id);
}

SIZE PSPlimControl::ClientSizeFor(const RECT& rect, int dpi)
{
    // The edge, as the system draws it for the style at the monitor's
    // resolution; the bars on top.
    RECT frame{0, 0, 0, 0};
    HuxAdjustWindowRectForDpi(frame, kStyle, kExStyle, dpi);
    return {rect.right - rect.left - (frame.right - frame.left) - HuxSystemMetricForDpi(SM_CXVSCROLL, dpi),
            rect.bottom - rect.top - (frame.bottom - frame.top) - HuxSystemMetricForDpi(SM_CYHSCROLL, dpi)};
}

void PSPlimControl::SetSizeTracking(bool tracking)
{
    m_sizeTracking = tracking;
    RepaintNow();
}

void PSPlimControl::UpdateScrollBars()
{
    const PSPlimScrollBars bars = PSPlimScrollBarsFor(m_app->FilterRect(), m_app->GetViewRect());
    for (const auto& [which, bar] : {std::pair{SB_HORZ, bars.horizontal}, std::pair{SB_VERT, bars.vertical}}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMin = bar.minimum;
        info.nMax = bar.maximum;
        info.nPage = UINT(bar.page);
        info.nPos = bar.position;
        SetScrollInfo(m_hWnd, which, &info, TRUE);
    }
}

LRESULT PSPlimControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The system's mouse messages made from a pen whose own messages were read.
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK && m_penPointers.Read() &&
        PSPlimMouseMessageFromPen(uint64_t(uintptr_t(GetMessageExtraInfo()))))
        return 0;
    // RegisterWindowMessage's 0 is a failure, not a message.
    if (message == m_penSampleMessage && message != 0) {
        const std::optional<PSPlimPenSample> sample = PSPlimUnpackPenSample(uint32_t(wParam));
        if (sample)
            PenInput(*sample, MessagePoint(lParam));
        return sample ? 1 : 0;
    }
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = Default();
        if (result != -1) {
            UpdateScrollBars();
            SetTimer(kTimerId, kTimerMilliseconds);
        }
        return result;
    }
    case WM_POINTERDOWN:
    case WM_POINTERUPDATE:
    case WM_POINTERUP:
        // Left to the default handling, another pointer's input comes back
        // as mouse messages.
        if (const std::optional<PSPlimPenSample> sample = m_penPointers.SampleOf(message, wParam)) {
            POINT point = MessagePoint(lParam);
            ::ScreenToClient(m_hWnd, &point);
            PenInput(*sample, point);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_ERASEBKGND: return 1; // the paint covers the whole client area
    case WM_MOUSEWHEEL: return 0;
    // The framework's window class asks for double clicks: a quick second
    // press is a press like any other here.
    case WM_LBUTTONDBLCLK: return CWnd::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    case WM_RBUTTONDBLCLK: return CWnd::WindowProc(WM_RBUTTONDOWN, wParam, lParam);
    case WM_MBUTTONDBLCLK: return CWnd::WindowProc(WM_MBUTTONDOWN, wParam, lParam);
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a system dialog, a switch to
        // another program): the release will never come, so the gesture
        // ends here as if it had.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            EndGesture();
        return 0;
    case WM_NCDESTROY:
        for (const char* name : kImageRectProperties)
            RemovePropA(m_hWnd, name);
        return CWnd::WindowProc(message, wParam, lParam);
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

void PSPlimControl::OnPaint()
{
    // Draw may throw: the paint still ends.
    const HuxPaintDC paint(m_hWnd);
    if (const HDC buffer = m_backBuffer.Begin()) {
        Draw(buffer);
        m_backBuffer.Flush(paint.Get());
    }
}

void PSPlimControl::Draw(HDC dc)
{
    const HuxRect client = ClientRect();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::optional<PSPlimControlLayout> layout = m_commands.LayOut(client);
    // What the stroke maps the mouse through, also while there is no
    // preview to place (an image thinner than a preview pixel).
    PublishImageRect(m_stroke.ImageRect());
    if (!layout) {
        HuxFillSolid(dc, client, face);
        m_radiusShown = false;
        return;
    }
    const HuxImage2* preview = m_app->GetOutputPreview();
    preview->Draw(dc, layout->destination, HuxRect{0, 0, preview->Width(), preview->AbsHeight()});
    for (const HuxRect& band : layout->bands)
        if (!band.IsEmpty())
            HuxFillSolid(dc, band, face);

    const PSPlimParameters& params = *m_app->Params();
    const PSPlimClientMapping mapping = m_stroke.Mapping();
    if (params.showGrid) {
        PSPlimGridPolylines(m_app->Grid(), mapping, m_lines);
        if (!m_lines.counts.empty()) {
            const HuxSelection pen = SelectPen(dc, params.gridColour);
            PolyPolyline(dc, reinterpret_cast<const POINT*>(m_lines.points.data()),
                         reinterpret_cast<const DWORD*>(m_lines.counts.data()), DWORD(m_lines.counts.size()));
        }
    }

    const PSPlimToolCircle circle = PSPlimToolCircleFor(Pointer(), params.toolSize, mapping);
    m_radiusShown = circle.shown;
    if (circle.shown) {
        const HuxSelection pen = SelectPen(dc, params.toolRadiusColour);
        const HuxSelection brush(dc, GetStockObject(HOLLOW_BRUSH));
        Ellipse(dc, circle.centre.x - circle.radius, circle.centre.y - circle.radius, circle.centre.x + circle.radius,
                circle.centre.y + circle.radius);
    }
}

// Signed edges survive the trip through the handle-sized property value.
void PSPlimControl::PublishImageRect(const HuxRect& rect)
{
    const int32_t edges[] = {rect.left, rect.top, rect.right, rect.bottom};
    for (size_t i = 0; i < 4; ++i)
        SetPropA(m_hWnd, kImageRectProperties[i], reinterpret_cast<HANDLE>(static_cast<intptr_t>(edges[i])));
}

HuxRect PSPlimControl::ClientRect() const
{
    RECT client{};
    GetClientRect(&client);
    return HuxFromRECT(client);
}

PSPlimPointerState PSPlimControl::Pointer() const
{
    POINT cursor{};
    GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    PSPlimPointerState pointer;
    pointer.showToolRadius = m_app->Params()->showToolRadius != 0;
    pointer.stroking = m_stroke.IsStroking();
    pointer.panning = m_stroke.IsPanning();
    pointer.sizeTracking = m_sizeTracking;
    pointer.cursor = {cursor.x, cursor.y};
    pointer.client = ClientRect();
    return pointer;
}

// The control's own part of a command's redraw, painted at once.
void PSPlimControl::Show(const PSPlimRedraw& redraw)
{
    if (redraw.editor)
        RepaintNow();
    if (redraw.scrollBars)
        UpdateScrollBars();
}

void PSPlimControl::RepaintNow()
{
    if (m_hWnd)
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void PSPlimControl::OnTimer(UINT_PTR id)
{
    if (id != kTimerId) {
        Default();
        return;
    }
    if (PSPlimTimerRepaints(Pointer(), m_radiusShown))
        RepaintNow();
}

void PSPlimControl::OnMouseMove(UINT, POINT point) { MoveTo(point, std::nullopt); }

void PSPlimControl::MoveTo(POINT point, const std::optional<PSPlimPenSample>& pen)
{
    if (m_stroke.IsStroking()) {
        if (m_stroke.MouseMove(ToPoint(point), pen))
            RepaintNow();
    } else if (m_stroke.IsPanning()) {
        Show(m_commands.PanTo({point.x, point.y}));
    } else if (m_app->Params()->showToolRadius) {
        RepaintNow(); // the circle follows the cursor
    }
}

void PSPlimControl::OnLButtonDown(UINT, POINT point) { Press(PSPlimButton::Left, point); }

void PSPlimControl::OnLButtonUp(UINT, POINT) { Release(PSPlimButton::Left); }

void PSPlimControl::OnRButtonDown(UINT, POINT point) { Press(PSPlimButton::Right, point); }

void PSPlimControl::OnRButtonUp(UINT, POINT) { Release(PSPlimButton::Right); }

void PSPlimControl::Press(PSPlimButton button, POINT point)
{
    if (PSPlimEditorCommands::PressPans(button, m_spaceHeld))
        OnMButtonDown(0, point);
    else
        BeginStroke(button, point);
}

// The pan a left press began ends with its release.
void PSPlimControl::Release(PSPlimButton button)
{
    if (button == PSPlimButton::Left && m_stroke.IsPanning())
        OnMButtonUp(0, {});
    else
        EndStroke(button);
}

// The pen leaving the surface ends what its touch began, whether or not
// the barrel button is still held.
void PSPlimControl::PenInput(const PSPlimPenSample& pen, POINT point)
{
    switch (pen.phase) {
    case PSPlimPenSample::Phase::Down: Press(PSPlimPenButton(pen), point); break;
    case PSPlimPenSample::Phase::Update: MoveTo(point, pen); break;
    case PSPlimPenSample::Phase::Up: EndGesture(); break;
    }
}

void PSPlimControl::BeginStroke(PSPlimButton button, POINT point)
{
    if (!m_stroke.ButtonDown(button, ToPoint(point)))
        return;
    SetCapture();
    RepaintNow();
}

// The stroke state ends first, so that the capture's release is not taken
// for a lost capture.
void PSPlimControl::EndStroke(PSPlimButton button)
{
    const PSPlimStroke::EndResult result = m_stroke.ButtonUp(button);
    if (result == PSPlimStroke::EndResult::Ignored)
        return;
    ReleaseOwnCapture();
    RepaintNow();
    if (result == PSPlimStroke::EndResult::Submitted && m_dialog)
        m_dialog->SetStatusText(m_stroke.TimingLine());
}

void PSPlimControl::OnMButtonDown(UINT, POINT point)
{
    if (!m_commands.BeginPan({point.x, point.y}))
        return;
    SetCapture();
    SetCursor(PanCursor());
}

void PSPlimControl::OnMButtonUp(UINT, POINT)
{
    if (!m_stroke.IsPanning())
        return;
    m_commands.EndPan();
    SetCursor(ArrowCursor());
    ReleaseOwnCapture();
}

void PSPlimControl::StrokeCancelled()
{
    ReleaseOwnCapture();
    RepaintNow();
}

// After a lost capture the mouse belongs to another window, perhaps of this
// thread, which must keep it.
void PSPlimControl::ReleaseOwnCapture()
{
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
}

void PSPlimControl::EndGesture()
{
    if (m_stroke.IsStroking())
        EndStroke(m_stroke.IsStroking(PSPlimButton::Left) ? PSPlimButton::Left : PSPlimButton::Right);
    else if (m_stroke.IsPanning())
        OnMButtonUp(0, {});
}

BOOL PSPlimControl::OnSetCursor(HWND window, UINT hitTest, UINT message)
{
    if ((m_stroke.IsPanning() || m_spaceHeld) && hitTest == HTCLIENT) {
        SetCursor(PanCursor());
        return TRUE;
    }
    return CWnd::OnSetCursor(window, hitTest, message);
}

void PSPlimControl::OnHScroll(UINT code, UINT position, HWND) { Scroll(SB_HORZ, code, position); }

void PSPlimControl::OnVScroll(UINT code, UINT position, HWND) { Scroll(SB_VERT, code, position); }

// A range beyond the message's 16 bits takes the thumb's position from the
// bar instead, so that an image wider than 65535 pixels scrolls to its end.
void PSPlimControl::Scroll(int which, UINT code, UINT thumbPosition)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(m_hWnd, which, &info);
    const PSPlimScrollBar bar{info.nMin, info.nMax, int32_t(info.nPage), info.nPos};
    const int32_t thumb = info.nMax > 0xFFFF ? info.nTrackPos : int32_t(thumbPosition);
    const PSPlimScrollStep step = PSPlimScrollBy(bar, int(code), thumb);
    SetScrollPos(m_hWnd, which, step.position, TRUE);
    if (which == SB_HORZ)
        m_app->ScrollView(step.delta, 0);
    else
        m_app->ScrollView(0, step.delta);
    RepaintNow();
    UpdateScrollBars();
}
