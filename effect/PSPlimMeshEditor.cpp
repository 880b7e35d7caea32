#include "effect/PSPlimMeshEditor.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "effect/CPSPlimPluginApp.h"

int PSPlimMeshEditor::RunModal(CPSPlimPluginApp& app)
{
    PSPlimFitMesh(mesh_, app.Grid());
    return kHuxIdOk;
}
