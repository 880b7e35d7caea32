// Prints the effect's 96-byte parameters record field by field.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <vector>

namespace SquelmHostCli {

// A block of another size is shown as raw bytes.
void PrintParameters(std::ostream& out, const std::vector<uint8_t>& bytes);

} // namespace SquelmHostCli
