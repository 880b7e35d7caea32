#include "testhost/RequestServer.h"

#include <cstring>

namespace SquelmHost {

namespace {

// Scale of a 16.16 sampling rate; hosts here sample at whole steps only.
bool RateToScale(PS::Fixed rate, int& scale)
{
    if ((rate & 0xFFFF) != 0 || rate < 0x10000)
        return false;
    scale = rate >> 16;
    return true;
}

// Scaled pixel i is document pixel i * scale, so ceil(extent / scale) pixels.
int32_t ScaledExtent(int32_t extent, int scale)
{
    return (extent + scale - 1) / scale;
}

bool Inverted(const Rect32& r)
{
    return r.right < r.left || r.bottom < r.top;
}

bool Inside(const Rect32& r, int32_t width, int32_t height)
{
    return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}

bool PlanesValid(int16_t lo, int16_t hi, int planes)
{
    return lo >= 0 && lo <= hi && hi < planes;
}

// Copies planes lo .. lo + planes - 1 of `count` document pixels, `step`
// pixels apart, into an interleaved row. Whole rows at full rate, the
// common case, go in one block.
void CopyPixelPlanes(uint8_t* row, const HostImage& image, const uint8_t* pixel, int32_t count, int step, int lo,
                     int planes)
{
    const size_t sample = size_t(image.SampleBytes()), pixelBytes = size_t(image.PixelBytes());
    if (step == 1 && lo == 0 && planes == image.Planes()) {
        std::memcpy(row, pixel, size_t(count) * pixelBytes);
        return;
    }
    const size_t copied = size_t(planes) * sample;
    for (int32_t x = 0; x < count; ++x, pixel += size_t(step) * pixelBytes)
        std::memcpy(row + size_t(x) * copied, pixel + size_t(lo) * sample, copied);
}

} // namespace

// A layer's protected transparency is handed over but cannot be written.
int RequestServer::WritablePlanes() const
{
    const HostImage& image = doc_.source;
    return image.transparency == Transparency::Protected ? image.ColourPlanes() : image.Planes();
}

int32_t RequestServer::PaddedRowBytes(int32_t packedBytes)
{
    return (packedBytes + 15) / 16 * 16 + kRowSlack;
}

RequestServer::RequestServer(PS::FilterRecord& record, Document document, const HostOptions& options, CallLog& log)
    : record_(record), doc_(document), options_(options), log_(log)
{
}

PS::OSErr RequestServer::Validate() const
{
    const RequestRects rects = RequestedRects(record_);
    const Rect32 &in = rects.in, &out = rects.out, &mask = rects.mask;
    if (Inverted(in) || Inverted(mask) || Inverted(out))
        return PS::paramErr;
    const int32_t w = doc_.source.width, h = doc_.source.height;
    int scale = 1;
    if (!in.Empty()) {
        if (!RateToScale(record_.inputRate, scale) ||
            !PlanesValid(record_.inLoPlane, record_.inHiPlane, doc_.source.Planes()) ||
            !Inside(in, ScaledExtent(w, scale), ScaledExtent(h, scale)))
            return PS::paramErr;
    }
    if (!mask.Empty()) {
        if (!RateToScale(record_.maskRate, scale) || !Inside(mask, ScaledExtent(w, scale), ScaledExtent(h, scale)))
            return PS::paramErr;
    }
    if (!out.Empty()) {
        if (!PlanesValid(record_.outLoPlane, record_.outHiPlane, WritablePlanes()) || !Inside(out, w, h))
            return PS::paramErr;
    }
    return PS::noErr;
}

PS::OSErr RequestServer::Serve()
{
    StoreOutput();
    Release();
    if (PS::OSErr err = Validate())
        return err;
    int scale = 1;
    const RequestRects rects = RequestedRects(record_);
    const Rect32 &in = rects.in, &out = rects.out, &mask = rects.mask;
    if (!in.Empty() && RateToScale(record_.inputRate, scale))
        DeliverInput(in, scale);
    if (!mask.Empty() && RateToScale(record_.maskRate, scale))
        DeliverMask(mask, scale);
    if (!out.Empty())
        DeliverOutput(out);
    return PS::noErr;
}

void RequestServer::DeliverInput(const Rect32& r, int scale)
{
    const int lo = record_.inLoPlane, planes = record_.inHiPlane - lo + 1;
    in_.rowBytes = PaddedRowBytes(r.Width() * planes * doc_.source.SampleBytes());
    in_.bytes.assign(size_t(in_.rowBytes) * size_t(r.Height()), kPaddingMarker);
    for (int32_t y = 0; y < r.Height(); ++y) {
        uint8_t* row = in_.bytes.data() + size_t(y) * size_t(in_.rowBytes);
        CopyPixelPlanes(row, doc_.source, doc_.source.At(r.left * scale, (r.top + y) * scale), r.Width(), scale, lo,
                        planes);
    }
    record_.inData = in_.bytes.data();
    record_.inRowBytes = in_.rowBytes;
}

// Without a selection there is no mask to deliver: maskData stays null.
void RequestServer::DeliverMask(const Rect32& r, int scale)
{
    if (doc_.mask.Empty())
        return;
    mask_.rowBytes = PaddedRowBytes(r.Width());
    mask_.bytes.assign(size_t(mask_.rowBytes) * size_t(r.Height()), kPaddingMarker);
    for (int32_t y = 0; y < r.Height(); ++y) {
        uint8_t* row = mask_.bytes.data() + size_t(y) * size_t(mask_.rowBytes);
        for (int32_t x = 0; x < r.Width(); ++x)
            row[x] = doc_.mask.At((r.left + x) * scale, (r.top + y) * scale);
    }
    record_.maskData = mask_.bytes.data();
    record_.maskRowBytes = mask_.rowBytes;
}

void RequestServer::DeliverOutput(const Rect32& r)
{
    outLo_ = record_.outLoPlane;
    outHi_ = record_.outHiPlane;
    const int planes = outHi_ - outLo_ + 1;
    out_.rowBytes = PaddedRowBytes(r.Width() * planes * doc_.destination.SampleBytes());
    out_.bytes.assign(size_t(out_.rowBytes) * size_t(r.Height()), kPaddingMarker);
    for (int32_t y = 0; y < r.Height(); ++y) {
        uint8_t* row = out_.bytes.data() + size_t(y) * size_t(out_.rowBytes);
        CopyPixelPlanes(row, doc_.destination, doc_.destination.At(r.left, r.top + y), r.Width(), 1, outLo_, planes);
    }
    outRect_ = r;
    outputPending_ = true;
    record_.outData = out_.bytes.data();
    record_.outRowBytes = out_.rowBytes;
}

bool RequestServer::MaskApplies() const
{
    return options_.honourAutoMask && record_.autoMask && !doc_.mask.Empty();
}

// With autoMask the host blends the written value into the source by the
// selection: unselected pixels keep their source value.
uint32_t RequestServer::StoredValue(int x, int y, int plane, uint32_t written) const
{
    if (!MaskApplies())
        return written;
    const uint32_t m = doc_.mask.At(x, y);
    const uint32_t original = doc_.source.Sample(x, y, plane);
    return (original * (255 - m) + written * m + 127) / 255;
}

long RequestServer::CountClobberedPadding() const
{
    const int32_t written = outRect_.Width() * (outHi_ - outLo_ + 1) * doc_.destination.SampleBytes();
    long clobbered = 0;
    for (int32_t y = 0; y < outRect_.Height(); ++y) {
        const uint8_t* row = out_.bytes.data() + size_t(y) * size_t(out_.rowBytes);
        for (int32_t i = written; i < out_.rowBytes; ++i)
            clobbered += row[i] != kPaddingMarker;
    }
    return clobbered;
}

// One delivered row back into the document, plane by plane where the
// selection blends it or only some planes were asked for.
void RequestServer::StoreRow(int32_t y) const
{
    HostImage& image = doc_.destination;
    const int planes = outHi_ - outLo_ + 1;
    const uint8_t* row = out_.bytes.data() + size_t(y) * size_t(out_.rowBytes);
    const int dy = outRect_.top + y;
    if (planes == image.Planes() && !MaskApplies()) {
        std::memcpy(image.At(outRect_.left, dy), row, size_t(outRect_.Width()) * size_t(image.PixelBytes()));
        return;
    }
    const int sample = image.SampleBytes();
    for (int32_t x = 0; x < outRect_.Width(); ++x) {
        const int dx = outRect_.left + x;
        for (int p = 0; p < planes; ++p) {
            const uint8_t* at = row + (size_t(x) * planes + p) * sample;
            const uint32_t written = sample == 2 ? uint32_t(at[0] | at[1] << 8) : at[0];
            image.SetSample(dx, dy, outLo_ + p, StoredValue(dx, dy, outLo_ + p, written));
        }
    }
}

void RequestServer::StoreOutput()
{
    if (!outputPending_)
        return;
    outputPending_ = false;
    for (int32_t y = 0; y < outRect_.Height(); ++y)
        StoreRow(y);
    HostEvent event;
    event.kind = EventKind::OutputStored;
    event.outRect = outRect_;
    event.value = CountClobberedPadding();
    paddingViolations_ += long(event.value);
    log_.Add(event);
}

void RequestServer::Release()
{
    in_ = {};
    mask_ = {};
    out_ = {};
    outputPending_ = false;
    record_.inData = nullptr;
    record_.inRowBytes = 0;
    record_.maskData = nullptr;
    record_.maskRowBytes = 0;
    record_.outData = nullptr;
    record_.outRowBytes = 0;
}

} // namespace SquelmHost
