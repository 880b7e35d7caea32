#include "effect/PSPlimGridActions.h"

#include "effect/CPSPlimPluginApp.h"

PSPlimDeformGridAction::PSPlimDeformGridAction(CPSPlimPluginApp* app, std::unique_ptr<GridPatch> patch)
    : HuxEditAction(true), app_(app), patch_(std::move(patch))
{
}

bool PSPlimDeformGridAction::DoAction()
{
    app_->Grid().SwapPatch(*patch_);
    return true;
}

bool PSPlimDeformGridAction::UndoAction()
{
    app_->Grid().SwapPatch(*patch_);
    return true;
}

PSPlimChangeGridStateAction::PSPlimChangeGridStateAction(CPSPlimPluginApp* app)
    : HuxEditAction(true), app_(app)
{
    app_->Grid().SaveState(snapshot_);
}

bool PSPlimChangeGridStateAction::DoAction()
{
    app_->Grid().SwapState(snapshot_);
    return true;
}

bool PSPlimChangeGridStateAction::UndoAction()
{
    app_->Grid().SwapState(snapshot_);
    return true;
}
