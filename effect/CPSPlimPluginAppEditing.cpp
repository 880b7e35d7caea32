// The application's grid-editing operations: what one undo step holds, and
// the preview updates that follow each edit.
#include "effect/CPSPlimPluginApp.h"

#include "effect/PSPlimEditor.h"
#include "effect/PSPlimGridArea.h"
#include "effect/PSPlimGridActions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kEditGridStep = "Edit grid";
constexpr const char* kResizeGridStep = "Resize grid";

// One coordinate of a grid box in image pixels, truncated towards zero.
// Points flung far outside the image stay within what an int can hold.
int32_t ToImage(double origin, double extent, double grid, double gridExtent)
{
    const double scaled = gridExtent > 0.0 ? origin + extent * grid / gridExtent : origin;
    const double v = std::isfinite(scaled) ? scaled : origin;
    constexpr double kLimit = 1073741824.0;
    return static_cast<int32_t>(std::trunc(std::clamp(v, -kLimit, kLimit)));
}

} // namespace

void CPSPlimPluginApp::SnapshotGrid() { m_gridSnapshot.CopyFrom(m_grid); }

void CPSPlimPluginApp::RevertToSnapshot(const GridIndexRect& moved)
{
    const GridBounds area = PSPlimUnion(m_gridSnapshot.PointBounds(moved), m_grid.PointBounds(moved));
    m_grid.CopyFrom(m_gridSnapshot);
    UpdateOutputForGridArea(area);
}

void CPSPlimPluginApp::RecordGridEdit()
{
    // A snapshot of another size cannot be compared point by point.
    if (m_gridSnapshot.PointsAcross() != m_grid.PointsAcross() ||
        m_gridSnapshot.PointsDown() != m_grid.PointsDown())
        return;
    auto patch = std::make_unique<GridPatch>();
    if (!m_grid.Diff(m_gridSnapshot, *patch))
        return;
    const GridIndexRect range = patch->range;
    GridBounds area{};
    if (!range.Empty())
        area = PSPlimUnion(m_gridSnapshot.PointBounds(range), m_grid.PointBounds(range));

    // The step is complete before the list sees it. Should the list refuse
    // it, the group stays here and its destructor takes the edit back: the
    // grid returns to the snapshot and the preview is redrawn to match.
    auto group = std::make_unique<HuxEditor::HuxEditGroup>();
    group->SetName(kEditGridStep);
    group->Add(std::make_unique<PSPlimDeformGridAction>(this, std::move(patch)));
    Record(std::move(group));

    if (!range.Empty())
        UpdateOutputForGridArea(area);
    RefreshEditorToolbar();
}

void CPSPlimPluginApp::ResizeGrid(int across, int down)
{
    across = std::clamp(across, kPSPlimMinGridPoints, kPSPlimMaxGridPoints);
    down = std::clamp(down, kPSPlimMinGridPoints, kPSPlimMaxGridPoints);

    // The action keeps the grid as it is; the resize follows only once the
    // step is on the list.
    auto group = std::make_unique<HuxEditor::HuxEditGroup>();
    group->SetName(kResizeGridStep);
    group->Add(std::make_unique<PSPlimChangeGridStateAction>(this));
    if (!Record(std::move(group)))
        return;

    m_grid.Resize(m_grid.Width(), m_grid.Height(), across, down);
    BuildOutputPreview();
    RefreshEditorToolbar();
}

bool CPSPlimPluginApp::Record(std::unique_ptr<HuxEditor::HuxEditGroup> group)
{
    if (!m_undoList.BeginGroup(group.get()))
        return false;
    if (m_undoList.CommitGroup(group))
        return true;
    m_undoList.CancelGroup(group.get());
    return false;
}

void CPSPlimPluginApp::ChangeEdgeMode(PSPlimEdgeMode mode)
{
    SnapshotGrid();
    m_grid.SetEdgeMode(mode);
    m_grid.ApplyEdgeMode();
    RecordGridEdit();
}

void CPSPlimPluginApp::Undo()
{
    if (!CanUndo())
        return;
    m_undoList.Undo();
    BuildOutputPreview();
}

void CPSPlimPluginApp::Redo()
{
    if (!CanRedo())
        return;
    m_undoList.Redo();
    BuildOutputPreview();
}

void CPSPlimPluginApp::UpdateOutputForGridArea(const GridBounds& area)
{
    const HuxRect& f = FilterRect();
    const double w = f.Width();
    const double h = f.Height();
    UpdateOutputPreview({ToImage(f.left, w, area.minX, m_grid.Width()), ToImage(f.top, h, area.minY, m_grid.Height()),
                         ToImage(f.left, w, area.maxX, m_grid.Width()), ToImage(f.top, h, area.maxY, m_grid.Height())});
}

void CPSPlimPluginApp::RefreshEditorToolbar()
{
    if (m_openEditor)
        m_openEditor->UpdateToolbar();
}
