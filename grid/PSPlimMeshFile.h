// The mesh file: a deformed grid kept between runs and images, in a
// versioned little-endian format of our own (docs/mesh-format.md):
//
//   offset  size  field
//   0       8     magic "SQLMMESH"
//   8       4     version, 1
//   12      4     length of the whole file in bytes, checksum included
//   16      4     visible points across, A (3 to 150)
//   20      4     visible points down, D (3 to 150)
//   24      4     edge mode: 0 fixed, 1 locked, 2 free
//   28      8     width of the undeformed grid in grid units (IEEE double)
//   36      8     height likewise; width² + height² = 1 (the image's diagonal)
//   44   16·A·D   the points, row by row: x then y, doubles in grid units
//   end−4   4     CRC-32 (as zlib's) of every byte before it
//
// Integers are unsigned 32-bit. Reading checks every field and throws
// std::runtime_error with the reason; nothing is changed by a refused mesh.
#pragma once

#include "grid/PSPlimMesh.h"

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::string_view kPSPlimMeshMagic = "SQLMMESH";
constexpr uint32_t kPSPlimMeshVersion = 1;
constexpr size_t kPSPlimMeshPointsOffset = 44;
// Bytes of a file of a × d visible points.
constexpr size_t PSPlimMeshFileSize(size_t across, size_t down) { return kPSPlimMeshPointsOffset + 16 * across * down + 4; }

// The file's bytes; a mesh with a fault throws std::runtime_error.
std::string PSPlimEncodeMesh(const PSPlimMesh& mesh);
PSPlimMesh PSPlimDecodeMesh(std::string_view bytes);

// The same bytes as Base64 text, for carriers of text only (a scripting
// descriptor's string): decoding refuses text that is not canonical Base64,
// then checks the bytes as a file's.
std::string PSPlimEncodeMeshText(const PSPlimMesh& mesh);
PSPlimMesh PSPlimDecodeMeshText(std::string_view text);

// Whole files: saving writes a temporary file and renames it into place, so
// a failure leaves an existing file as it was; loading refuses a file larger
// than any mesh unread. Messages name the file.
void PSPlimSaveMeshFile(const std::string& path, const PSPlimMesh& mesh);
PSPlimMesh PSPlimLoadMeshFile(const std::string& path);
