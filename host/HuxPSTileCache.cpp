#include "host/HuxPSTileCache.h"

#include "host/HuxPSDelivery.h"
#include "host/HuxPSDisplayPixels.h"
#include "host/HuxPSDocumentColour.h"
#include "host/HuxPSFilter.h"
#include "host/HuxPSRequest.h"
#include "host/PSHostInterface.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <stdexcept>

namespace {

// Sizes derived from host-supplied dimensions are computed in 64 bits and
// refused when they leave the 32-bit range the host interface works in.
int32_t CheckedSize(int64_t value, const char* what)
{
    if (value < 0 || value > INT32_MAX)
        throw std::length_error(what);
    return int32_t(value);
}

int32_t ShiftOf(int32_t size)
{
    for (int32_t shift = 0; shift < 31; ++shift) {
        if ((int32_t(1) << shift) == size)
            return shift;
    }
    return -1;
}

// Modulo whose result lies in 0 .. n - 1 for negative operands too.
int64_t FloorMod(int64_t value, int64_t n)
{
    const int64_t m = value % n;
    return m < 0 ? m + n : m;
}

// Moves a coordinate outside [origin, origin + extent) inside by the edge
// mode (repeat, wrap or mirror; extent > 0).
int32_t ResolveEdge(int32_t mode, int32_t value, int32_t origin, int32_t extent)
{
    const int64_t offset = int64_t(value) - origin;
    if (offset >= 0 && offset < extent)
        return value;
    switch (mode) {
    case HuxPSTileCache::kWrap:
        return int32_t(origin + FloorMod(offset, extent));
    case HuxPSTileCache::kMirror: {
        int64_t m = FloorMod(offset, 2 * int64_t(extent));
        if (m >= extent)
            m = 2 * int64_t(extent) - m - 1;
        return int32_t(origin + m);
    }
    default:
        return int32_t(origin + std::clamp<int64_t>(offset, 0, extent - 1));
    }
}

// The first `toBytes` of each pixel; all of them in one copy when that is
// the whole pixel.
void CopyPlanes(const uint8_t* from, int32_t fromBytes, uint8_t* to, int32_t toBytes, int32_t count)
{
    if (fromBytes == toBytes) {
        std::memcpy(to, from, size_t(count) * size_t(toBytes));
        return;
    }
    for (int32_t x = 0; x < count; ++x, from += fromBytes, to += toBytes)
        std::memcpy(to, from, size_t(toBytes));
}

} // namespace

HuxPSTileCache::HuxPSTileCache(HuxPSFilter* owner, int32_t scale) : owner_(owner), scale_(scale) {}

PS::FilterRecord& HuxPSTileCache::Record() const
{
    PS::FilterRecord* record = owner_ ? owner_->HostRecord() : nullptr;
    if (record == nullptr)
        throw std::logic_error("tile cache used outside a filter call");
    return *record;
}

HuxPSTileCache::~HuxPSTileCache() = default;

void HuxPSTileCache::Configure(int32_t tileWidth, int32_t tileHeight, int32_t channelOrder, bool hasMask,
                               int32_t budget, const HuxPSDocument& document)
{
    if (scale_ < 1 || tileWidth < 1 || tileHeight < 1)
        throw std::invalid_argument("tile cache: scale and tile size must be positive");
    const HuxRect source = HuxPSFilterRectOf(Record());
    const HuxRect scaled = HuxRectDivide(source, scale_);
    const bool shown = channelOrder == kSwappedOrder;
    const HuxPixelLayout layout = shown ? HuxPSDisplayLayout(document) : HuxPSWarpLayout(document);
    const int32_t pixelBytes = layout.PixelBytes();
    const int32_t tileBytesPerPixel = pixelBytes + (hasMask ? 1 : 0);

    const int64_t width = std::max<int64_t>(int64_t(scaled.right) - scaled.left, 0);
    const int64_t height = std::max<int64_t>(int64_t(scaled.bottom) - scaled.top, 0);
    const int32_t across = CheckedSize((width + tileWidth - 1) / tileWidth, "tile cache: too many tiles");
    const int32_t down = CheckedSize((height + tileHeight - 1) / tileHeight, "tile cache: too many tiles");
    const int32_t tiles = CheckedSize(int64_t(across) * down, "tile cache: too many tiles");
    const int32_t tilePixels = CheckedSize(int64_t(tileWidth) * tileHeight, "tile cache: tile too large");
    CheckedSize(int64_t(tilePixels) * tileBytesPerPixel, "tile cache: tile too large");
    // A rectangle narrower or lower than one tile fills only that part of
    // its tiles, and their buffers hold only that part. The capacity counts
    // what a buffer really takes, so that a tall, thin image keeps as long a
    // column of tiles as a wide, low one keeps a row: the render walks
    // either along its one band.
    const int64_t usedWidth = std::clamp<int64_t>(width, 1, tileWidth);
    const int64_t usedHeight = std::clamp<int64_t>(height, 1, tileHeight);
    const int64_t bytesPerTile = usedWidth * usedHeight * tileBytesPerPixel;

    const int32_t capacity = int32_t(std::clamp<int64_t>(budget / bytesPerTile, 1, INT32_MAX));
    // More tiles than exist are never held at once.
    const size_t held = size_t(std::min(capacity, tiles));
    std::vector<uint8_t*> pixelTiles(size_t(tiles), nullptr);
    std::vector<uint8_t*> maskTiles(size_t(tiles), nullptr);
    std::vector<int32_t> loadOrder;
    loadOrder.reserve(held);
    std::vector<TileBuffers> spareBuffers;
    spareBuffers.reserve(held);

    // Nothing above changed the cache, and nothing below throws: a refused
    // configuration leaves the cache as it was.
    sourceRect_ = source;
    scaledRect_ = scaled;
    tileWidth_ = tileWidth;
    tileHeight_ = tileHeight;
    channelOrder_ = channelOrder;
    hasMask_ = hasMask;
    budget_ = budget;
    document_ = document;
    layout_ = layout;
    bytesPerPixel_ = pixelBytes;
    // A protected layer's transparency is requested too, though the warp
    // leaves it out: some hosts deliver every plane whatever the request.
    requestedPlanes_ = HuxPSShownPlanes(document);
    tilesAcross_ = across;
    tilesDown_ = down;
    capacity_ = capacity;
    scaledWidth_ = uint32_t(width);
    scaledHeight_ = uint32_t(height);
    tileShiftX_ = ShiftOf(tileWidth);
    tileShiftY_ = ShiftOf(tileHeight);
    tileColumns_ = uint32_t(usedWidth);
    tileRowBytes_ = uint32_t(usedWidth) * uint32_t(pixelBytes);
    tileRows_ = uint32_t(usedHeight);
    pixelTiles_.swap(pixelTiles);
    maskTiles_.swap(maskTiles);
    loadOrder_.swap(loadOrder);
    spareBuffers_.swap(spareBuffers);
    ownedBuffers_.clear();
    SetEdge(edgeMode_, edgeColour_); // the edge pixel follows the channel order
}

void HuxPSTileCache::SetEdge(int32_t mode, uint32_t colour)
{
    edgeMode_ = mode;
    edgeColour_ = colour;
    if (channelOrder_ == kSwappedOrder) {
        const uint32_t shown[3] = {(colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF};
        StoreEdgePixel(shown);
        return;
    }
    uint32_t samples[4];
    HuxPSDocumentColour(document_, colour, samples);
    StoreEdgePixel(samples);
}

// The colour planes' samples, opaque where the layout has transparency; no
// sample at all for the transparent edge. Samples past the layout's are 0.
void HuxPSTileCache::StoreEdgePixel(const uint32_t colour[4])
{
    const uint32_t white = layout_.sampleBytes == 2 ? 32768u : 255u;
    const bool transparent = edgeMode_ == kTransparent;
    uint16_t samples[sizeof edgePixel_ / 2] = {};
    for (int32_t c = 0; c < layout_.Channels() && c < int32_t(std::size(samples)); ++c)
        samples[c] = uint16_t(transparent ? 0 : c < layout_.colourChannels ? colour[c] : white);
    if (layout_.sampleBytes == 2) {
        std::memcpy(edgePixel_, samples, sizeof edgePixel_);
        return;
    }
    for (size_t c = 0; c < std::size(samples); ++c)
        edgePixel_[c] = uint8_t(samples[c]);
}

int32_t HuxPSTileCache::TileIndexOf(uint32_t dx, uint32_t dy) const
{
    if (tileShiftX_ >= 0 && tileShiftY_ >= 0)
        return int32_t((dy >> tileShiftY_) * uint32_t(tilesAcross_) + (dx >> tileShiftX_));
    return int32_t((dy / uint32_t(tileHeight_)) * uint32_t(tilesAcross_) + dx / uint32_t(tileWidth_));
}

uint32_t HuxPSTileCache::PixelOffsetOf(uint32_t dx, uint32_t dy) const
{
    if (tileShiftX_ >= 0 && tileShiftY_ >= 0) {
        const uint32_t row = dy & ((1u << tileShiftY_) - 1);
        const uint32_t column = dx & ((1u << tileShiftX_) - 1);
        return row * tileRowBytes_ + column * uint32_t(bytesPerPixel_);
    }
    return (dy % uint32_t(tileHeight_)) * tileRowBytes_ + (dx % uint32_t(tileWidth_)) * uint32_t(bytesPerPixel_);
}

HuxPixelBlock HuxPSTileCache::BlockAt(int32_t x, int32_t y)
{
    const int32_t index = TileIndexAt(x, y);
    LoadTile(index);
    return TileBlock(index);
}

int32_t HuxPSTileCache::TileIndexAt(int32_t x, int32_t y) const
{
    const uint32_t dx = uint32_t(x) - uint32_t(scaledRect_.left);
    const uint32_t dy = uint32_t(y) - uint32_t(scaledRect_.top);
    if (dx >= scaledWidth_ || dy >= scaledHeight_)
        throw std::out_of_range("tile cache: no block outside the rectangle");
    return TileIndexOf(dx, dy);
}

HuxPixelBlock HuxPSTileCache::TileBlock(int32_t index) const
{
    HuxPixelBlock block;
    block.pixels = pixelTiles_.at(size_t(index));
    block.mask = block.pixels ? maskTiles_[size_t(index)] : nullptr;
    block.rowBytes = int32_t(tileRowBytes_);
    block.maskRowBytes = int32_t(tileColumns_);
    const HuxRect rect = TileRect(index);
    block.left = rect.left;
    block.top = rect.top;
    block.width = uint32_t(rect.Width());
    block.height = uint32_t(rect.Height());
    return block;
}

const uint8_t* HuxPSTileCache::OutsidePixel(int32_t x, int32_t y)
{
    int32_t index = -1;
    uint32_t offset = 0;
    OutsideSource(x, y, index, offset);
    return index < 0 ? edgePixel_ : LoadTile(index) + offset;
}

void HuxPSTileCache::OutsideSource(int32_t x, int32_t y, int32_t& index, uint32_t& offset) const
{
    index = -1;
    offset = 0;
    // An empty rectangle has no pixel to repeat, wrap or mirror.
    if (edgeMode_ == kFixedColour || edgeMode_ == kTransparent || scaledWidth_ == 0 || scaledHeight_ == 0)
        return;
    const int32_t insideX = ResolveEdge(edgeMode_, x, scaledRect_.left, int32_t(scaledWidth_));
    const int32_t insideY = ResolveEdge(edgeMode_, y, scaledRect_.top, int32_t(scaledHeight_));
    const uint32_t dx = uint32_t(insideX - scaledRect_.left);
    const uint32_t dy = uint32_t(insideY - scaledRect_.top);
    index = TileIndexOf(dx, dy);
    offset = PixelOffsetOf(dx, dy);
}

uint8_t* HuxPSTileCache::LoadTile(int32_t index)
{
    if (index < 0 || size_t(index) >= pixelTiles_.size())
        throw std::out_of_range("tile cache: no such tile");
    if (pixelTiles_[size_t(index)] != nullptr)
        return pixelTiles_[size_t(index)];

    const TileBuffers buffers = AcquireBuffers();
    pixelTiles_[size_t(index)] = buffers.pixels;
    maskTiles_[size_t(index)] = buffers.mask;
    loadOrder_.push_back(index);
    try {
        const HuxRect request = TileRect(index);
        RequestTile(request);
        CopyTile(request, buffers);
    } catch (...) {
        // Keep no slot pointing at pixels the host never delivered, so that
        // a later read asks the host again.
        ForgetTile(index);
        spareBuffers_.push_back(buffers);
        throw;
    }
    ++loadCount_;
    return buffers.pixels;
}

void HuxPSTileCache::LoadTogether(const std::vector<int32_t>& tiles)
{
    KeepTogether(tiles);
    for (const int32_t index : tiles)
        LoadTile(index);
}

void HuxPSTileCache::KeepTogether(const std::vector<int32_t>& tiles)
{
    if (tiles.size() > size_t(capacity_))
        throw std::length_error("tile cache: more tiles at once than it holds");
    for (const int32_t index : tiles) {
        if (index >= 0 && size_t(index) < pixelTiles_.size() && pixelTiles_[size_t(index)] != nullptr) {
            loadOrder_.erase(std::find(loadOrder_.begin(), loadOrder_.end(), index));
            loadOrder_.push_back(index);
        }
    }
}

HuxPSTileCache::TileBuffers HuxPSTileCache::AcquireBuffers()
{
    if (!spareBuffers_.empty()) {
        const TileBuffers buffers = spareBuffers_.back();
        spareBuffers_.pop_back();
        return buffers;
    }
    if (loadOrder_.size() < size_t(capacity_))
        return NewBuffers();
    const int32_t oldest = loadOrder_.front();
    TileBuffers buffers{pixelTiles_[size_t(oldest)], maskTiles_[size_t(oldest)]};
    ForgetTile(oldest);
    return buffers;
}

HuxPSTileCache::TileBuffers HuxPSTileCache::NewBuffers()
{
    // Everything that can fail comes first, so that running out of memory
    // leaves the cache as it was.
    const size_t pixels = size_t(tileColumns_) * tileRows_;
    auto pixelBuffer = std::make_unique<uint8_t[]>(pixels * size_t(bytesPerPixel_));
    auto maskBuffer = hasMask_ ? std::make_unique<uint8_t[]>(pixels) : nullptr;
    ownedBuffers_.reserve(ownedBuffers_.size() + 2);
    const TileBuffers buffers{pixelBuffer.get(), maskBuffer.get()};
    ownedBuffers_.push_back(std::move(pixelBuffer));
    if (maskBuffer)
        ownedBuffers_.push_back(std::move(maskBuffer));
    return buffers;
}

void HuxPSTileCache::ForgetTile(int32_t index)
{
    pixelTiles_[size_t(index)] = nullptr;
    maskTiles_[size_t(index)] = nullptr;
    const auto it = std::find(loadOrder_.begin(), loadOrder_.end(), index);
    if (it != loadOrder_.end())
        loadOrder_.erase(it);
}

// In 64 bits: a tile's far edge may lie beyond the largest coordinate before
// it is cut to the scaled rectangle.
HuxRect HuxPSTileCache::TileRect(int32_t index) const
{
    const int64_t left = int64_t(tileWidth_) * (index % tilesAcross_) + scaledRect_.left;
    const int64_t top = int64_t(tileHeight_) * (index / tilesAcross_) + scaledRect_.top;
    return {int32_t(left), int32_t(top), int32_t(std::min<int64_t>(left + tileWidth_, scaledRect_.right)),
            int32_t(std::min<int64_t>(top + tileHeight_, scaledRect_.bottom))};
}

void HuxPSTileCache::RequestTile(const HuxRect& in)
{
    HuxPSRequest request{in, hasMask_ ? in : HuxRect{}, {}, scale_};
    request.planes = requestedPlanes_;
    HuxPSSetRequest(Record(), request);
    owner_->AdvanceState();
}

void HuxPSTileCache::CopyTile(const HuxRect& in, const TileBuffers& buffers) const
{
    const PS::FilterRecord& record = Record();
    const int32_t hostPixelBytes = requestedPlanes_ * (document_.kind.depth / 8);
    const uint8_t* source = HuxPSDeliveredRows(record.inData, record.inRowBytes, in, hostPixelBytes);
    const uint8_t* mask = hasMask_ ? HuxPSDeliveredRows(record.maskData, record.maskRowBytes, in, 1) : nullptr;
    const int32_t columns = in.Width();
    for (int32_t r = 0; r < in.Height(); ++r) {
        const uint8_t* from = source + ptrdiff_t(r) * record.inRowBytes;
        uint8_t* to = buffers.pixels + size_t(r) * tileRowBytes_;
        if (channelOrder_ == kSwappedOrder)
            HuxPSDisplayRow(document_, from, to, columns);
        else
            CopyPlanes(from, hostPixelBytes, to, bytesPerPixel_, columns);
        if (mask != nullptr)
            std::memcpy(buffers.mask + size_t(r) * tileColumns_, mask + ptrdiff_t(r) * record.maskRowBytes,
                        size_t(columns));
    }
}
