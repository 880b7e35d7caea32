// The effect application: owns the parameters record, the deformation grid
// and its snapshot, the undo list and the tile cache; runs the editor on the
// Start selector and then warps the filter rectangle through the grid into
// the host's output. Its texture mapper's settings come from the parameters;
// destination points map back through the grid's inverse.
#pragma once

#include "HuxLib/HUXEDIT/HuxUndoList.h"
#include "HuxLib/HUXUTIL/HuxAutoPtr.h"
#include "effect/PSPlimParameters.h"
#include "effect/PSPlimPlayback.h"
#include "grid/PSPlimGrid.h"
#include "grid/PSPlimMesh.h"
#include "host/HuxPSFilter.h"
#include "host/HuxPSTileCache.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/PSPlimGridMapping.h"
#include "effect/PSPlimTileRender.h"

#include <functional>
#include <optional>

class PSPlimEditor;

class CPSPlimPluginApp : public HuxPSFilter, public HuxPSNonLinearTextureMapper {
public:
    // Final-render tiles and the tile cache's size.
    static constexpr int32_t kTileSize = 128;
    static constexpr int32_t kCacheBudget = 0x100000;
    // Rows of a band of the output preview rendered as one task.
    static constexpr int32_t kPreviewBandRows = 16;
    // The environment variable that sets how many threads render (1:
    // serial); without it, every hardware thread up to 32 does.
    static constexpr const char* kRenderThreadsVariable = "SQUELM_THREADS";

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
    // Puts back the snapshot's points in `moved` (all that changed since
    // the snapshot) and re-renders what they cover; records nothing.
    void RevertToSnapshot(const GridIndexRect& moved);
    // Records the difference from the snapshot as one "Edit grid" step.
    void RecordGridEdit();
    // Records one "Resize grid" step and resamples the grid to the counts.
    void ResizeGrid(int across, int down);
    // The editor's edge-mode command: records the change as an "Edit grid" step.
    void ChangeEdgeMode(PSPlimEdgeMode mode);
    // Puts the mesh on the grid, fitted to this image, as one "Load mesh"
    // step; a mesh with a fault throws std::invalid_argument with the grid
    // and the history untouched.
    void LoadMesh(const PSPlimMesh& mesh);
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
    // The grid lookups of the renders since the counters were last cleared,
    // and their failed triangle tests (every thread's).
    int64_t LookupCounter() const { return m_lookups; }
    int64_t FailedTestCounter() const { return m_failedTests; }
    void ClearLookupCounters() { m_lookups = m_failedTests = 0; }
    // The cache that the last render used, or null.
    const HuxPSTileCache* TileCache() const { return m_tileCache.get(); }

protected:
    // Puts a finished step on the undo list. False when the list refuses it:
    // the group is then dropped and takes its edit back.
    virtual bool Record(std::unique_ptr<HuxEditor::HuxEditGroup> group);

private:
    // ---- The host's actions (CPSPlimPluginAppActions.cpp) -------------------
    // What this run does with the step the host plays, if any.
    PSPlimPlayPlan PlanPlay();
    // Puts the recorded mesh and settings in place of the fresh grid's.
    void StartFromWarp(const PSPlimRecordedWarp& warp);
    // Records the run's mesh and settings where the host takes them.
    void RecordRun();
    // Throws the text as the message of the run's failure; the text stays
    // here while the dispatch reports it.
    [[noreturn]] void Fail(std::string text);

    void ResetGrid();
    void RefreshEditorToolbar();
    void ApplyMapperSettings();
    // The knockout colour as the document would hold it, shown as the
    // screen shows the document.
    uint32_t ShownKnockoutColour();
    HuxPSTileCache& SelectTileCache(int32_t scale, int32_t channelOrder);
    void RenderPreviewArea(HuxImage2& preview, const HuxRect& scaledView, const HuxRect& target);
    void FinalRender();
    void DeliverFinalTile(const HuxRect& tile, const uint8_t* pixels, const HuxPixelLayout& layout);
    // Runs `render` with the tile render of the running Start call (its
    // threads) or else one on this thread alone, and counts its lookups.
    void RenderThrough(const std::function<PSPlimTileRender::LookupCounts(PSPlimTileRender&)>& render);
    void ReportTileProgress(int64_t done, int64_t total);

    PSPlimGrid m_grid;
    PSPlimGrid m_gridSnapshot;
    HuxAutoPtr<HuxPSTileCache> m_tileCache;
    PSPlimParameters* m_params = nullptr;
    PSPlimEditor* m_editor = nullptr;
    PSPlimEditor* m_openEditor = nullptr;
    // The renderer on the threads of the running Start call, else null.
    PSPlimTileRender* m_tileRender = nullptr;
    std::string m_failure;
    int64_t m_lookups = 0;
    int64_t m_failedTests = 0;
    HuxEditor::HuxUndoList m_undoList;
    // The last knockout colour shown, so that a render asks the host no
    // conversion it answered before.
    struct ShownColour {
        uint32_t picked;
        HuxPSDocumentKind kind;
        uint32_t shown;
    };
    std::optional<ShownColour> m_shownKnockout;
};
