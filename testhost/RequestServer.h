// The host's side of advanceState: checks the request rectangles the plug-in
// set in the record, samples the source at the requested rate, hands out
// row-padded buffers, and stores the output buffer back into the document.
//
// Source and mask data come from the document as it was when the run began
// (hosts filter from a source into a separate destination), the output
// buffer from the destination as it stands.
#pragma once

#include <cstdint>
#include <vector>

#include "host/PSHostInterface.h"
#include "testhost/CallLog.h"
#include "testhost/HostImage.h"
#include "testhost/HostOptions.h"

namespace SquelmHost {

struct Document {
    HostImage& destination;   // the document being filtered
    const HostImage& source;  // its pixels when the run began
    const GreyImage& mask;    // empty: no selection
};

class RequestServer {
public:
    // Rows handed out are this much wider than their pixels, at least.
    static constexpr int32_t kRowSlack = 16;
    // Fills the slack so that writes past a row's end can be counted.
    static constexpr uint8_t kPaddingMarker = 0xA5;
    static int32_t PaddedRowBytes(int32_t packedBytes);

    RequestServer(PS::FilterRecord& record, Document document, const HostOptions& options, CallLog& log);
    RequestServer(const RequestServer&) = delete;
    RequestServer& operator=(const RequestServer&) = delete;

    // Stores pending output, then delivers what the record requests. On a
    // refused request nothing is delivered and every data pointer is null.
    PS::OSErr Serve();
    // Writes the output buffer back into the document, once per delivery.
    void StoreOutput();
    // Frees every buffer and clears the record's data pointers.
    void Release();

    long PaddingViolations() const { return paddingViolations_; }

private:
    struct Buffer {
        std::vector<uint8_t> bytes;
        int32_t rowBytes = 0;
    };

    PS::OSErr Validate() const;
    void DeliverInput(const Rect32& r, int scale);
    void DeliverMask(const Rect32& r, int scale);
    void DeliverOutput(const Rect32& r);
    long CountClobberedPadding() const;
    void StoreRow(int32_t y) const;
    uint32_t StoredValue(int x, int y, int plane, uint32_t written) const;
    bool MaskApplies() const;
    int WritablePlanes() const;

    PS::FilterRecord& record_;
    Document doc_;
    const HostOptions& options_;
    CallLog& log_;
    Buffer in_, mask_, out_;
    Rect32 outRect_;
    int16_t outLo_ = 0, outHi_ = -1;
    bool outputPending_ = false;
    long paddingViolations_ = 0;
};

} // namespace SquelmHost
