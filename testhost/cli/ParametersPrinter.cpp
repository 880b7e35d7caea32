#include "testhost/cli/ParametersPrinter.h"

#include <cstring>
#include <iomanip>
#include <ostream>

#include "effect/PSPlimParameters.h"

namespace SquelmHostCli {

namespace {

void PrintRaw(std::ostream& out, const std::vector<uint8_t>& bytes)
{
    out << "parameters: " << bytes.size() << " bytes";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 16 == 0)
            out << "\n  " << std::setw(4) << std::setfill('0') << std::hex << i << ":";
        out << " " << std::setw(2) << int(bytes[i]);
    }
    out << std::dec << std::setfill(' ') << "\n";
}

// Colours are 0x00BBGGRR values.
std::string Colour(uint32_t value)
{
    char text[48];
    std::snprintf(text, sizeof text, "0x%06X (r %u, g %u, b %u)", unsigned(value), unsigned(value & 0xFF),
                  unsigned((value >> 8) & 0xFF), unsigned((value >> 16) & 0xFF));
    return text;
}

} // namespace

void PrintParameters(std::ostream& out, const std::vector<uint8_t>& bytes)
{
    if (bytes.size() != sizeof(PSPlimParameters)) {
        PrintRaw(out, bytes);
        return;
    }
    PSPlimParameters p;
    std::memcpy(&p, bytes.data(), sizeof p);
    out << "parameters:\n"
        << "  leftButtonTool     " << p.leftButtonTool << "\n"
        << "  rightButtonTool    " << p.rightButtonTool << "\n"
        << "  showGrid           " << int(p.showGrid) << "\n"
        << "  toolSize           " << p.toolSize << "\n"
        << "  toolPower          " << p.toolPower << "\n"
        << "  showToolRadius     " << int(p.showToolRadius) << "\n"
        << "  gridColour         " << Colour(p.gridColour) << "\n"
        << "  toolRadiusColour   " << Colour(p.toolRadiusColour) << "\n"
        << "  gridEdgeMode       " << p.gridEdgeMode << "\n"
        << "  pointsAcross       " << p.pointsAcross << "\n"
        << "  pointsDown         " << p.pointsDown << "\n"
        << "  exposedAreaMode    " << p.exposedAreaMode << "\n"
        << "  exposedAreaColour  " << Colour(p.exposedAreaColour) << "\n"
        << "  useInterpolation   " << int(p.useInterpolation) << "\n"
        << "  sampleDensity      " << p.sampleDensity << "\n"
        << "  sampleCountBias    " << p.sampleCountBias << "\n"
        << "  knockout           " << int(p.knockout) << "\n"
        << "  knockoutColour     " << Colour(p.knockoutColour) << "\n";
}

} // namespace SquelmHostCli
