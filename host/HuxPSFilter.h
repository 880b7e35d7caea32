// Reusable base of a filter plug-in: turns the host's selector calls into
// virtual operations, keeps the parameters block in the host's handle, wraps
// the host's callbacks so that failures throw, reads image and mask
// rectangles at any sampling rate, and keeps a zoomable, scrollable preview
// of the filter rectangle for an editor.
//
// Failures are thrown (a HuxOSErr code, a `const char*` message, or a
// HuxException*) and turned into the host's result word only by Dispatch.
#pragma once

#include "HuxLib/HUXCTRL/HuxColourChooser.h"
#include "HuxLib/HUXIMAGE/HuxImage2.h"
#include "HuxLib/HUXUTIL/HuxAutoPtr.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "host/HuxPSDocument.h"
#include "host/HuxPSPlugin.h"
#include "host/PSHostInterface.h"

#include <cstdint>
#include <string>

class HuxPSFilter : public HuxPSPlugin, public HuxColourChooser {
public:
    HuxPSFilter();
    ~HuxPSFilter() override;

    // ---- Host protocol -------------------------------------------------
    // One host call: runs the selector's operation, writes its result (noErr
    // or the failure) into the result word, and unlocks the parameters handle
    // if the call locked it. No pointer the call gave is kept past it.
    void Dispatch(int16_t selector, void* record, intptr_t* data, int16_t* result);

    void Parameters() override;
    // Refuses a document the filter cannot take with filterBadMode, before
    // anything else, whatever the host's menu allowed.
    void Prepare() override;
    void Continue() override;

    // The FilterRecord of the current call; null during About.
    PS::FilterRecord* HostRecord() const;
    // The document of the current call, as its record describes it.
    HuxPSDocument Document() const { return HuxPSDescribeDocument(RequireRecord()); }
    // Window to own dialogs, from the current record's platform data; 0 when absent.
    intptr_t OwnerWindow() const;

    // ---- Host services (each throws on failure) ---------------------------
    void AdvanceState();                              // the host's code, or -30900 without advanceState
    void TestAbort();                                 // -128 when the user cancels
    void UpdateProgress(int32_t done, int32_t total); // skipped without progressProc
    bool PickColour(uint32_t& colour) override;       // false when refused; colour 0x00BBGGRR
    // A picked colour (0x00BBGGRR) in the document's colour planes: the
    // host's conversion where it converts into the document's space, else
    // the formulas (HuxPSDocumentColour).
    void DocumentColour(const HuxPSDocument& document, uint32_t colour, uint32_t samples[4]) const;

    // ---- Reading from the host -------------------------------------------
    // rect is in scaled coordinates; the pixels land at origin in image.
    void ReadInput(const HuxRect& rect, int scale, HuxImage2& image, HuxPointI origin, bool swap);
    void ReadMask(const HuxRect& rect, int scale, HuxImage2& image, HuxPointI origin);

    // Whether the filter works on this kind of document; every kind here.
    virtual bool TakesDocument(const HuxPSDocument& document) const;

    // ---- Parameters block ------------------------------------------------
    virtual int32_t GetParametersSize() const;
    virtual void SetParametersPointer(void* parameters);
    virtual void SetDefaultParameters();
    virtual void ValidateParameters();
    // Locks the parameters block for the current call (creating it with
    // defaults, or validating a stored one) and hands its address to
    // SetParametersPointer; every call that uses the block obtains it. When
    // the call ends the block is unlocked and the pointer withdrawn.
    void ObtainParameters();

    // ---- Preview images --------------------------------------------------
    virtual HuxImage2* GetOutputPreview();
    virtual HuxImage2* GetSourcePreview();
    virtual HuxImage2* GetDisplayPreview();
    virtual HuxImage2* GetMaskPreview();
    virtual HuxImage2* GetThumbnail();
    virtual void UpdateSourcePreview(const HuxRect& rect);
    virtual void BuildSourcePreview();
    virtual void UpdateDisplayPreview(const HuxRect& rect);
    virtual void BuildDisplayPreview();
    virtual void UpdateMaskPreview(const HuxRect& rect);
    virtual void BuildMaskPreview();
    virtual void UpdateOutputPreview(const HuxRect& rect);
    virtual void BuildOutputPreview();

    // ---- View: zoom and scrolling ------------------------------------------
    void SetPreviewSize(int32_t width, int32_t height);
    // The preview area took another size (its window was resized): the
    // zoom level and the view follow it (HuxPSLevelAfterResize), the view
    // centred where it was.
    void ResizePreview(int32_t width, int32_t height);
    void ZoomIn();
    void ZoomOut();
    // The level at which the whole filter rectangle fits the preview.
    void ZoomToFit();
    bool CanZoomIn() const;
    bool CanZoomOut() const;
    // The preview area in screen pixels, as SetPreviewSize stored it.
    HuxPointI GetPreviewSize() const { return {m_previewWidth, m_previewHeight}; }
    int GetZoomLevel() const { return m_zoomLevel; }
    int GetFitLevel() const { return m_fitLevel; }
    int GetClosestLevel() const { return m_closestLevel; }
    const HuxRect& GetViewRect() const { return m_viewRect; }
    void SetViewRect(const HuxRect& rect);
    void ScrollView(int32_t dx, int32_t dy);
    void BuildThumbnail(int32_t maxWidth, int32_t maxHeight);

    // The cursor shown while the user drags a view around (the locator's
    // frame): the system's four-way move cursor; 0 where there are no cursors.
    virtual intptr_t GetDragCursor() const;

    // ---- Help (HTML Help; see HuxHtmlHelp.h) -------------------------------
    // The help file; empty (no help) unless a filter names one.
    virtual std::string GetHelpFilePath() const;
    // Topic: a path inside the help file ("::/Topic.htm"), appended to it.
    void ShowHelpTopic(const char* topic) const;
    // Pop-up help for a control that F1 asked about; idTable: pairs
    // (control id, help context) ended by two zeros.
    void ShowControlHelp(intptr_t window, const char* topic, const uint32_t* idTable) const;
    // The "What's This?" menu for the dialog's control under screenPoint.
    void ShowWhatsThisMenu(intptr_t dialog, const char* topic, const uint32_t* idTable, HuxPointI screenPoint) const;

    const HuxRect& FilterRect() const { return m_filterRect; }
    // Sampling rate of the previews: max(zoom level, 1).
    int PreviewScale() const;
    // The view rectangle divided by the preview scale: the previews' extent.
    HuxRect ScaledViewRect() const;

protected:
    // Replaces the output preview by a new zero-filled top-down 24-bit image.
    HuxImage2& ReplaceOutputPreview(int32_t width, int32_t height);

private:
    PS::FilterRecord& RequireRecord() const;
    bool RunSelector(int16_t selector);
    void SetResult(PS::OSErr code);
    void ReportMessage(const char* message);
    void EndCall() noexcept;
    void* UsableParametersBlock(int32_t size);
    void CreateParametersBlock(int32_t size);
    void* LockParameters();
    void ReleaseParameters() noexcept;
    void RequestRects(const HuxRect& in, const HuxRect& mask, int scale);
    void SetPreviewArea(int32_t width, int32_t height);
    void BuildAllPreviews();
    void ZoomTo(int level);
    void ScrollAxis(int32_t delta, bool vertical);
    HuxRect ExposedStrip(int32_t distance, bool vertical) const;
    HuxPointI ViewSize() const;

    PS::FilterRecord* m_record = nullptr;
    PS::AboutRecord* m_aboutRecord = nullptr;
    int16_t* m_result = nullptr;
    intptr_t* m_data = nullptr; // the host's private-data word: kept, never read or written
    PS::Handle m_lockedParameters = nullptr; // locked by the current call, unlocked when it ends

    HuxAutoPtr<HuxImage2> m_sourcePreview;
    HuxAutoPtr<HuxImage2> m_displayPreview;
    HuxAutoPtr<HuxImage2> m_maskPreview;
    HuxAutoPtr<HuxImage2> m_outputPreview;
    HuxAutoPtr<HuxImage2> m_thumbnail;

    int32_t m_previewWidth = 0;
    int32_t m_previewHeight = 0;
    int m_zoomLevel = 1;
    int m_fitLevel = 1;
    int m_closestLevel = -5;
    HuxRect m_viewRect;
    HuxRect m_filterRect;
};
