// The stroke state of the grid editor control: which button's stroke (or a
// pan) is in progress, where the stroke began, where the tool was last
// applied and which points it has moved, and the mapping between the
// control's client coordinates and grid units. The window code feeds it the
// mouse and the pen; the scripted editor feeds it a stroke script.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "grid/GridIndexRect.h"
#include "ui/PSPlimClientMapping.h"
#include "ui/PSPlimPenInput.h"
#include "ui/PSPlimToolChoice.h"

#include <optional>
#include <string>

class CPSPlimPluginApp;

class PSPlimStroke {
public:
    using Point2D = HuxGeometry::HuxPoint2D;

    enum class EndResult {
        Ignored,        // no stroke of that button was in progress
        NothingApplied, // no tool application reported a point: no step
        Submitted,      // handed to RecordGridEdit, which records it if the grid changed
    };

    explicit PSPlimStroke(CPSPlimPluginApp& app) : app_(app) {}

    // The filter rectangle as placed in client coordinates at the last paint.
    void SetImageRect(const HuxRect& rect) { imageRect_ = rect; }
    const HuxRect& ImageRect() const { return imageRect_; }
    // Client pixels and grid units through imageRect and the working grid.
    PSPlimClientMapping Mapping() const;
    Point2D ClientToGrid(Point2D client) const;
    HuxPointI GridToClient(Point2D grid) const;

    // A press starts a stroke unless a stroke or a pan is in progress;
    // true when it did (the caller then captures the mouse and repaints).
    bool ButtonDown(PSPlimButton button, Point2D client);
    // Applies the stroke's tool from the last to the new position, at its
    // power scaled as PSPlimMovePressure decides for the pen's sample (none:
    // the mouse), and re-renders the changed area; true when a tool was
    // applied.
    bool MouseMove(Point2D client, const std::optional<PSPlimPenSample>& pen = std::nullopt);
    // Ends the stroke of that button; see EndResult.
    EndResult ButtonUp(PSPlimButton button);
    // Esc during a stroke: the stroke ends and the grid returns to where it
    // began, recording no step; false when no stroke was in progress.
    bool Cancel();
    // The timing line of the last submitted stroke's final re-render, for
    // the dialog's status label.
    const std::string& TimingLine() const { return timingLine_; }

    // A middle-button pan starts only when no stroke is in progress and the
    // view does not show the whole image.
    bool BeginPan();
    void EndPan() { panning_ = false; }

    bool IsStroking() const { return leftStroke_ || rightStroke_; }
    bool IsStroking(PSPlimButton button) const
    {
        return button == PSPlimButton::Left ? leftStroke_ : rightStroke_;
    }
    bool IsPanning() const { return panning_; }
    // "Pressure Controls Power": off, a pen strokes as the mouse does.
    bool PressureControlsPower() const { return pressureControlsPower_; }
    void SetPressureControlsPower(bool on) { pressureControlsPower_ = on; }
    Point2D Anchor() const { return anchor_; }
    Point2D LastPoint() const { return lastPoint_; }
    const GridIndexRect& StrokeRange() const { return strokeRange_; }

private:
    int ToolOf(PSPlimButton button) const;

    CPSPlimPluginApp& app_;
    HuxRect imageRect_{0, 0, -1, -1};
    bool leftStroke_ = false;
    bool rightStroke_ = false;
    bool panning_ = false;
    bool pressureControlsPower_ = false;
    Point2D anchor_;
    Point2D lastPoint_;
    GridIndexRect strokeRange_;
    std::string timingLine_;
};
