// The grid editor control: shows the output preview with the working grid
// over it and the tool circle at the cursor, turns mouse drags into brush
// strokes (one undo step each) through the stroke state shared with the
// scripted editor, pans with the middle button and scrolls with its bars.
// A pen strokes as the mouse does, through the same handlers, with its
// pressure in each move.
#pragma once

#include <string>

#include "HuxLib/HUXCTRL/win32/HuxOffscreenDC.h"
#include "HuxLib/HUXWIN/win32/CWnd.h"
#include "ui/PSPlimControlLayout.h"
#include "ui/PSPlimEditorCommands.h"
#include "ui/win32/PSPlimPenPointers.h"

class CPSPlimPluginApp;
class PSPlimDialog;

class PSPlimControl : public CWnd {
public:
    explicit PSPlimControl(PSPlimEditorCommands& commands);
    ~PSPlimControl() override;

    // A child of parent at rect (parent client coordinates) with the id.
    void Create(CWnd* parent, const RECT& rect, UINT id);
    // The client size a control created at rect, on a monitor of dpi, will
    // have: the preview's.
    static SIZE ClientSizeFor(const RECT& rect, int dpi);
    // The dialog that receives the timing line after each stroke.
    void SetDialog(PSPlimDialog* dialog) { m_dialog = dialog; }
    // While the dialog's size slider is dragged the circle shows the new
    // size, centred when the cursor is elsewhere.
    void SetSizeTracking(bool tracking);
    // The space bar held: a left press pans instead of stroking.
    void SetSpaceHeld(bool held) { m_spaceHeld = held; }
    // Esc took back the stroke in progress: the mouse is free again.
    void StrokeCancelled();
    void UpdateScrollBars();

    // The filter rectangle as placed in client coordinates at the last paint.
    const HuxRect& ImageRect() const { return m_commands.Stroke().ImageRect(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnRButtonDown(UINT flags, POINT point) override;
    void OnRButtonUp(UINT flags, POINT point) override;
    void OnMButtonDown(UINT flags, POINT point) override;
    void OnMButtonUp(UINT flags, POINT point) override;
    void OnHScroll(UINT code, UINT position, HWND scrollBar) override;
    void OnVScroll(UINT code, UINT position, HWND scrollBar) override;
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message) override;

private:
    void Draw(HDC dc);
    void PublishImageRect(const HuxRect& rect);
    HuxRect ClientRect() const;
    PSPlimPointerState Pointer() const;
    void Show(const PSPlimRedraw& redraw);
    void RepaintNow();
    // A press and a move of the mouse or the pen (none: the mouse's), a
    // release of a mouse button, and a pen's sample turned into these.
    void Press(PSPlimButton button, POINT point);
    void MoveTo(POINT point, const std::optional<PSPlimPenSample>& pen);
    void Release(PSPlimButton button);
    void PenInput(const PSPlimPenSample& pen, POINT point);
    void BeginStroke(PSPlimButton button, POINT point);
    void EndStroke(PSPlimButton button);
    // Ends a stroke or a pan whose release will not come.
    void EndGesture();
    void ReleaseOwnCapture();
    void Scroll(int which, UINT code, UINT thumbPosition);

    PSPlimEditorCommands& m_commands;
    CPSPlimPluginApp* m_app;
    PSPlimStroke& m_stroke;
    PSPlimDialog* m_dialog = nullptr;
    PSPlimPenPointers m_penPointers;
    // Carries a sample whole (see kPSPlimPenSampleMessage).
    UINT m_penSampleMessage;
    bool m_sizeTracking = false;
    bool m_spaceHeld = false;
    bool m_radiusShown = false;
    HuxOffscreenDC m_backBuffer;
    PSPlimPolylines m_lines; // reused by every paint
};
