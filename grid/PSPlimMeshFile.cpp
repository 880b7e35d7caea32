#include "grid/PSPlimMeshFile.h"

#include "HuxLib/HUXUTIL/HuxBase64.h"
#include "HuxLib/HUXUTIL/HuxCrc32.h"
#include "HuxLib/HUXUTIL/HuxFiles.h"
#include "HuxLib/HUXUTIL/HuxLittleEndian.h"
#include "HuxLib/HUXUTIL/HuxQuote.h"

#include <cstdio>
#include <optional>
#include <stdexcept>

namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kSmallestFile = PSPlimMeshFileSize(kPSPlimMinMeshPoints, kPSPlimMinMeshPoints);
constexpr size_t kLargestFile = PSPlimMeshFileSize(kPSPlimMaxMeshPoints, kPSPlimMaxMeshPoints);
constexpr std::string_view kWhat = "mesh file";

[[noreturn]] void Refuse(const std::string& reason) { throw std::runtime_error(reason); }

std::string Hex(uint32_t value)
{
    char text[12];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// The header's checks, in the order that names the first thing wrong.
void CheckHeader(std::string_view bytes)
{
    const std::string_view start = bytes.substr(0, kPSPlimMeshMagic.size());
    if (start != kPSPlimMeshMagic.substr(0, start.size()))
        Refuse("it is not a Squelm mesh file (it does not begin with " + HuxQuote(kPSPlimMeshMagic) + ")");
    if (bytes.size() < kHeaderSize)
        Refuse("it is cut short inside its header (" + std::to_string(bytes.size()) + " bytes)");
    if (const uint32_t version = HuxGetUint32(bytes, 8); version != kPSPlimMeshVersion)
        Refuse("it has version " + std::to_string(version) + "; this program reads version " +
               std::to_string(kPSPlimMeshVersion));
    if (const uint32_t length = HuxGetUint32(bytes, 12); length != bytes.size())
        Refuse("its header gives a length of " + std::to_string(length) + " bytes but it holds " +
               std::to_string(bytes.size()) + " (cut short or added to)");
    if (bytes.size() < kSmallestFile)
        Refuse("at " + std::to_string(bytes.size()) + " bytes it is shorter than the smallest mesh (" +
               std::to_string(kSmallestFile) + ")");
    const uint32_t stored = HuxGetUint32(bytes, bytes.size() - 4);
    const uint32_t computed = HuxCrc32(bytes.substr(0, bytes.size() - 4));
    if (stored != computed)
        Refuse("it is damaged: its checksum is " + Hex(stored) + " but its bytes give " + Hex(computed));
}

} // namespace

std::string PSPlimEncodeMesh(const PSPlimMesh& mesh)
{
    if (const std::string fault = PSPlimMeshFault(mesh); !fault.empty())
        Refuse("the mesh cannot be saved: " + fault);
    const size_t size = PSPlimMeshFileSize(size_t(mesh.across), size_t(mesh.down));
    std::string bytes(kPSPlimMeshMagic);
    bytes.reserve(size);
    HuxPutUint32(bytes, kPSPlimMeshVersion);
    HuxPutUint32(bytes, static_cast<uint32_t>(size));
    HuxPutUint32(bytes, static_cast<uint32_t>(mesh.across));
    HuxPutUint32(bytes, static_cast<uint32_t>(mesh.down));
    HuxPutUint32(bytes, static_cast<uint32_t>(PSPlimStored(mesh.edgeMode)));
    HuxPutDouble(bytes, mesh.width);
    HuxPutDouble(bytes, mesh.height);
    for (const HuxGeometry::HuxPoint2D& p : mesh.points) {
        HuxPutDouble(bytes, p.x);
        HuxPutDouble(bytes, p.y);
    }
    HuxPutUint32(bytes, HuxCrc32(bytes));
    return bytes;
}

PSPlimMesh PSPlimDecodeMesh(std::string_view bytes)
{
    CheckHeader(bytes);
    const uint32_t across = HuxGetUint32(bytes, 16);
    const uint32_t down = HuxGetUint32(bytes, 20);
    if (const std::string fault = PSPlimMeshSizeFault(across, down); !fault.empty())
        Refuse(fault);
    if (PSPlimMeshFileSize(across, down) != bytes.size())
        Refuse("its " + std::to_string(bytes.size()) + " bytes do not fit its grid of " + std::to_string(across) +
               " by " + std::to_string(down) + " points (" + std::to_string(PSPlimMeshFileSize(across, down)) +
               " bytes)");

    PSPlimMesh mesh;
    mesh.across = static_cast<int32_t>(across);
    mesh.down = static_cast<int32_t>(down);
    mesh.edgeMode = static_cast<PSPlimEdgeMode>(static_cast<int32_t>(HuxGetUint32(bytes, 24)));
    mesh.width = HuxGetDouble(bytes, 28);
    mesh.height = HuxGetDouble(bytes, 36);
    mesh.points.resize(size_t(across) * size_t(down));
    for (size_t i = 0; i < mesh.points.size(); ++i)
        mesh.points[i] = {HuxGetDouble(bytes, kPSPlimMeshPointsOffset + 16 * i),
                          HuxGetDouble(bytes, kPSPlimMeshPointsOffset + 16 * i + 8)};
    if (const std::string fault = PSPlimMeshFault(mesh); !fault.empty())
        Refuse(fault);
    return mesh;
}

std::string PSPlimEncodeMeshText(const PSPlimMesh& mesh) { return HuxBase64Encode(PSPlimEncodeMesh(mesh)); }

PSPlimMesh PSPlimDecodeMeshText(std::string_view text)
{
    if (text.size() > (kLargestFile + 2) / 3 * 4)
        Refuse("the mesh text is longer than any mesh's (" + std::to_string(text.size()) + " characters)");
    const std::optional<std::string> bytes = HuxBase64Decode(text);
    if (!bytes)
        Refuse("the mesh text is not Base64");
    return PSPlimDecodeMesh(*bytes);
}

void PSPlimSaveMeshFile(const std::string& path, const PSPlimMesh& mesh)
{
    HuxWriteFile(path, PSPlimEncodeMesh(mesh), kWhat);
}

PSPlimMesh PSPlimLoadMeshFile(const std::string& path)
{
    const std::string bytes = HuxReadFile(path, kLargestFile, kWhat);
    try {
        return PSPlimDecodeMesh(bytes);
    } catch (const std::runtime_error& e) {
        Refuse("mesh file " + HuxQuote(path, 200) + " refused: " + e.what());
    }
}
