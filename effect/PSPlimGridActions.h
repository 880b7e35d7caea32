// The undoable grid actions of the editor's history. Each holds the other
// side of its change and is its own inverse: doing and undoing are the same
// exchange of stored and current values, which cannot throw: an edit can
// always be taken back. Both are made after the change, so they start done.
// An exchange refused because the record does not fit the grid (a step
// replayed out of order) reports failure and changes nothing.
#pragma once

#include "HuxLib/HUXEDIT/HuxEditAction.h"
#include "grid/GridPatch.h"

#include <memory>

class CPSPlimPluginApp;

// A finished change of point positions and edge mode ("Edit grid").
class PSPlimDeformGridAction : public HuxEditor::HuxEditAction {
public:
    PSPlimDeformGridAction(CPSPlimPluginApp* app, std::unique_ptr<GridPatch> patch);

protected:
    bool DoAction() override;
    bool UndoAction() noexcept override;

private:
    CPSPlimPluginApp* app_;
    std::unique_ptr<GridPatch> patch_;
};

// A change of the grid's point counts ("Resize grid"); made just before the
// resize, it keeps the whole grid as it was.
class PSPlimChangeGridStateAction : public HuxEditor::HuxEditAction {
public:
    explicit PSPlimChangeGridStateAction(CPSPlimPluginApp* app);

protected:
    bool DoAction() override;
    bool UndoAction() noexcept override;

private:
    CPSPlimPluginApp* app_;
    GridState snapshot_;
};
