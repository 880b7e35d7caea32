#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"
#include "HuxLib/HUXIMAGE/HuxBitmapHeaderBlock.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

constexpr int32_t kHeaderBytes = sizeof(HuxBitmapInfoHeader);
constexpr int32_t kBitFieldMaskBytes = 12;

bool IsSupportedDepth(int depth)
{
    return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

int32_t CheckedInt32(int64_t value)
{
    if (value < 0 || value > std::numeric_limits<int32_t>::max())
        throw std::bad_alloc();
    return static_cast<int32_t>(value);
}

} // namespace

HuxDIBBuffer::~HuxDIBBuffer() { Release(); }

void HuxDIBBuffer::Release()
{
    if (m_ownsMemory)
        std::free(m_header);
    m_header = nullptr;
    m_pixels = nullptr;
    m_imageSize = 0;
    m_rowStride = 0;
    m_ownsMemory = false;
    m_packed = false;
}

int32_t HuxDIBBuffer::RowStrideFor(int32_t width, int bitsPerPixel)
{
    const int64_t bits = int64_t(width) * bitsPerPixel;
    int64_t bytes = bits / 8;
    if (bitsPerPixel < 8 && bits % 8 != 0)
        ++bytes;
    return CheckedInt32((bytes + 3) & ~int64_t(3));
}

int32_t HuxDIBBuffer::HeaderSizeFor(const HuxBitmapInfoHeader& header)
{
    int64_t entries = header.biClrUsed;
    if (entries == 0 && header.biBitCount <= 8)
        entries = int64_t(1) << header.biBitCount;
    if (entries == 0 && header.biCompression == kHuxBiBitFields)
        return kHeaderBytes + kBitFieldMaskBytes;
    return CheckedInt32(kHeaderBytes + 4 * entries);
}

void HuxDIBBuffer::Create(int32_t width, int32_t height, int bitsPerPixel, const HuxPalette* palette)
{
    Release();
    if (width < 0 || height == std::numeric_limits<int32_t>::min() || !IsSupportedDepth(bitsPerPixel))
        throw std::invalid_argument("HuxDIBBuffer::Create: bad size or depth");

    const std::vector<uint8_t> header = HuxBitmapHeaderBlock(width, height, bitsPerPixel, palette);
    const int32_t stride = RowStrideFor(width, bitsPerPixel);
    const int32_t imageSize = CheckedInt32(int64_t(stride) * std::abs(height));
    const int32_t headerSize = static_cast<int32_t>(header.size());
    const int32_t blockSize = CheckedInt32(int64_t(headerSize) + imageSize);

    auto* block = static_cast<uint8_t*>(std::calloc(size_t(blockSize), 1));
    if (!block)
        throw std::bad_alloc();
    std::memcpy(block, header.data(), header.size());
    m_header = reinterpret_cast<HuxBitmapInfoHeader*>(block);
    m_pixels = block + headerSize;
    m_rowStride = stride;
    m_imageSize = imageSize;
    m_ownsMemory = true;
    m_packed = true;
}

void HuxDIBBuffer::Attach(HuxBitmapInfoHeader* header, uint8_t* pixels)
{
    Release();
    if (!header)
        return;
    const int32_t stride = RowStrideFor(header->biWidth, header->biBitCount);
    const int32_t imageSize = CheckedInt32(int64_t(stride) * std::abs(int64_t(header->biHeight)));
    m_header = header;
    m_pixels = pixels;
    m_rowStride = stride;
    m_imageSize = imageSize;
}

const HuxRGBQuad* HuxDIBBuffer::ColourTable() const
{
    return m_header ? reinterpret_cast<const HuxRGBQuad*>(reinterpret_cast<const uint8_t*>(m_header) + kHeaderBytes)
                    : nullptr;
}

int32_t HuxDIBBuffer::Width() const { return m_header ? m_header->biWidth : 0; }

int32_t HuxDIBBuffer::Height() const { return m_header ? m_header->biHeight : 0; }

int32_t HuxDIBBuffer::AbsHeight() const { return std::abs(Height()); }

int HuxDIBBuffer::BitsPerPixel() const { return m_header ? m_header->biBitCount : 0; }

uint8_t* HuxDIBBuffer::PixelAddress(int32_t x, int32_t y, int* bitPlace) const
{
    if (bitPlace)
        *bitPlace = 0;
    // Negative coordinates are outside the picture too.
    if (!m_header || x < 0 || y < 0 || x >= Width() || y >= AbsHeight())
        return nullptr;
    const int depth = BitsPerPixel();
    const int32_t memoryRow = Height() > 0 ? Height() - 1 - y : y;
    if (bitPlace && depth < 8) {
        const int perByte = 8 / depth;
        *bitPlace = perByte - 1 - x % perByte;
    }
    return m_pixels + size_t(memoryRow) * size_t(m_rowStride) + size_t(int64_t(x) * depth / 8);
}
