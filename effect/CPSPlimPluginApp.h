// The effect application: owns the parameters record, the deformation grid
// and its snapshot, the undo list and the tile cache; runs the editor on the
// Start selector and then warps the filter rectangle through the grid into
// the host's output. Its texture mapper's settings come from the parameters;
// destination points map back through the grid's inverse.
#pragma once

#include "HuxLib/HUXEDIT/HuxUndoList.h"
#include "HuxLib/HUXUTIL/HuxAutoPtr.h"
#include "effect/PSPlimParameters.h"
#include "grid/PSPlimGrid.h"
#include "host/HuxPSFilter.h"
#include "host/HuxPSTileCache.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/PSPlimGridMapping.h"

class PSPlimEditor;

class CPSPlimPluginApp : public HuxPSFilter, public HuxPSNonLinearTextureMapper {
public:
    // Final-render tiles and the tile cache's size.
    static constexpr int32_t kTileSize = 128;
    static constexpr int32_t kCacheBudget = 0x100000;

    CPSPlimPluginApp();

    // ---- Selectors and parameters (CPSPlimPluginApp.cpp) -----------------
    void About() override;
    void Start() override;
    bool TakesDocument(const HuxPSDocument& document) const override;

    int32_t GetParametersSize() const override;
    void SetParametersPointer(void* parameters) override;
    void SetDefaultParameters() override;
    void ValidateParameters() override;

    // "Squelm.chm" beside the library's own file.
    std::string GetHelpFilePath() const override;

    // The record inside the host's locked handle, or null.
    PSPlimParameters* Params() const { return m_params; }

    // ---- The editor (CPSPlimPluginApp.cpp) --------------------------------
    // The editor that Start runs (not owned; the installer keeps it alive
    // while installed). Without one, Start ends as a cancelled editor does.
    void SetEditor(PSPlimEditor* editor) { m_editor = editor; }
    PSPlimEditor* Editor() const { return m_editor; }
    // The editor while it runs inside Start, otherwise null.
    PSPlimEditor* OpenEditor() const { return m_openEditor; }
    // Runs the editor; returns its result (1 OK, anything else cancels).
    virtual int RunEditor();
    // Window to own a message box: the open editor's, else the host's (0
    // when neither has one).
    intptr_t MessageOwner() const;

    // ---- Grid editing (CPSPlimPluginAppEditing.cpp) -------------------------
    PSPlimGrid& Grid() { return m_grid; }
    const PSPlimGrid& Grid() const { return m_grid; }
    const PSPlimGrid& GridSnapshot() const { return m_gridSnapshot; }
    const HuxEditor::HuxUndoList& UndoList() const { return m_undoList; }
    HuxEditor::HuxUndoList& UndoList() { return m_undoList; }

    void SnapshotGrid();
    // Records the difference from the snapshot as one "Edit grid" step.
    void RecordGridEdit();
    // Records one "Resize grid" step and resamples the grid to the counts.
    void ResizeGrid(int across, int down);
    // The editor's edge-mode command: records the change as an "Edit grid" step.
    void ChangeEdgeMode(PSPlimEdgeMode mode);
    bool CanUndo() const { return m_undoList.CanUndo(); }
    bool CanRedo() const { return m_undoList.CanRedo(); }
    void Undo();
    void Redo();
    // Re-renders the output preview over a box in grid units.
    void UpdateOutputForGridArea(const GridBounds& area);

    // ---- Rendering (CPSPlimPluginAppRender.cpp) -----------------------------
    void UpdateSourcePreview(const HuxRect& rect) override;
    void BuildSourcePreview() override;
    void UpdateOutputPreview(const HuxRect& rect) override;
    void BuildOutputPreview() override;
    // The cache that the last render used, or null.
    const HuxPSTileCache* TileCache() const { return m_tileCache.get(); }

protected:
    // Puts a finished step on the undo list. False when the list refuses it:
    // the group is then dropped and takes its edit back.
    virtual bool Record(std::unique_ptr<HuxEditor::HuxEditGroup> group);

private:
    void ResetGrid();
    void RefreshEditorToolbar();
    void ApplyMapperSettings();
    HuxPSTileCache& SelectTileCache(int32_t scale, int32_t channelOrder);
    void RenderPreviewArea(HuxImage2& preview, const HuxRect& scaledView, const HuxRect& target);
    void FinalRender();
    void RenderFinalTile(HuxPSTileCache& cache, const HuxRect& tile, uint8_t* buffer);
    void ReportTileProgress(int64_t done, int64_t total);

    PSPlimGrid m_grid;
    PSPlimGrid m_gridSnapshot;
    // Maps through m_grid; holds the destination rectangle of the render.
    PSPlimGridMapping m_mapping{m_grid};
    HuxAutoPtr<HuxPSTileCache> m_tileCache;
    PSPlimParameters* m_params = nullptr;
    PSPlimEditor* m_editor = nullptr;
    PSPlimEditor* m_openEditor = nullptr;
    HuxEditor::HuxUndoList m_undoList;
};
