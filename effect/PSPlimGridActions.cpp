#include "effect/PSPlimGridActions.h"

#include "effect/CPSPlimPluginApp.h"

PSPlimDeformGridAction::PSPlimDeformGridAction(CPSPlimPluginApp* app, std::unique_ptr<GridPatch> patch)
    : HuxEditAction(true), app_(app), patch_(std::move(patch))
{
}

bool PSPlimDeformGridAction::DoAction()
{
    return app_->Grid().SwapPatch(*patch_);
}

bool PSPlimDeformGridAction::UndoAction() noexcept
{
    return app_->Grid().SwapPatch(*patch_);
}

PSPlimChangeGridStateAction::PSPlimChangeGridStateAction(CPSPlimPluginApp* app)
    : HuxEditAction(true), app_(app)
{
    app_->Grid().SaveState(snapshot_);
}

bool PSPlimChangeGridStateAction::DoAction()
{
    return app_->Grid().SwapState(snapshot_);
}

bool PSPlimChangeGridStateAction::UndoAction() noexcept
{
    return app_->Grid().SwapState(snapshot_);
}
