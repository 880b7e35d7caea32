#include "testhost/ParametersFile.h"

#include <stdexcept>

#include "HuxLib/HUXUTIL/HuxLittleEndian.h"
#include "HuxLib/HUXUTIL/HuxQuote.h"

namespace SquelmHost {

namespace {

constexpr std::string_view kSignature = "SQUELMPB";
constexpr uint32_t kVersion = 1;

[[noreturn]] void Refuse(const std::string& path, const std::string& reason)
{
    throw std::runtime_error("parameters file " + HuxQuote(path, 200) + " " + reason);
}

} // namespace

std::string EncodeParametersFile(const std::vector<uint8_t>& block)
{
    if (block.size() > kParametersFileLimit - kParametersHeaderSize)
        throw std::runtime_error("the parameters block of " + std::to_string(block.size()) +
                                 " bytes is larger than a parameters file may be");
    std::string file(kSignature);
    HuxPutUint32(file, kVersion);
    HuxPutUint32(file, static_cast<uint32_t>(block.size()));
    file.append(block.begin(), block.end());
    return file;
}

std::vector<uint8_t> DecodeParametersFile(std::string_view file, const std::string& path)
{
    if (file.substr(0, kSignature.size()) != kSignature) {
        if (file.empty() || file.size() == kHeaderlessRecordSize)
            return std::vector<uint8_t>(file.begin(), file.end());
        Refuse(path, "is not a parameters file (it has no parameters signature); it is left as it is");
    }
    if (file.size() < kParametersHeaderSize)
        Refuse(path, "is cut short inside its header");
    const uint32_t version = HuxGetUint32(file, 8);
    if (version != kVersion)
        Refuse(path, "has version " + std::to_string(version) + "; this host reads version " +
                         std::to_string(kVersion));
    const uint32_t length = HuxGetUint32(file, 12);
    const size_t stored = file.size() - kParametersHeaderSize;
    if (length != stored)
        Refuse(path, "says it holds " + std::to_string(length) + " bytes but holds " + std::to_string(stored));
    const std::string_view block = file.substr(kParametersHeaderSize);
    return std::vector<uint8_t>(block.begin(), block.end());
}

} // namespace SquelmHost
