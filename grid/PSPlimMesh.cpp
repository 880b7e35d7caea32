// A grid's deformation taken out and put back, fitted to the image's shape.
#include "grid/PSPlimMesh.h"

#include "grid/PSPlimGrid.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

// width² + height² of a grid made by the effect is 1 up to rounding.
constexpr double kDiagonalTolerance = 1e-6;
// Shapes closer than this are the same image shape met at another size.
constexpr double kShapeTolerance = 1e-9;

std::string Format(const char* format, double a, double b)
{
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string PointFault(const HuxGeometry::HuxPoint2D& p, size_t index, int32_t across)
{
    const std::string where = "point " + std::to_string(index % size_t(across) + 1) + " of row " +
                              std::to_string(index / size_t(across) + 1);
    if (!std::isfinite(p.x) || !std::isfinite(p.y))
        return where + " is not a finite number";
    if (std::fabs(p.x) > kPSPlimMeshCoordinateLimit || std::fabs(p.y) > kPSPlimMeshCoordinateLimit)
        return where + Format(" lies absurdly far off the image, at (%.6g, %.6g) image diagonals", p.x, p.y);
    return {};
}

} // namespace

PSPlimMesh PSPlimMeshOf(const PSPlimGrid& grid)
{
    PSPlimMesh mesh;
    mesh.across = grid.PointsAcross() - 2;
    mesh.down = grid.PointsDown() - 2;
    mesh.width = grid.Width();
    mesh.height = grid.Height();
    mesh.edgeMode = grid.EdgeMode();
    mesh.points.reserve(size_t(mesh.across) * size_t(mesh.down));
    for (int r = 1; r <= mesh.down; ++r)
        for (int c = 1; c <= mesh.across; ++c)
            mesh.points.push_back(grid.Point(c, r));
    return mesh;
}

std::string PSPlimMeshSizeFault(int64_t across, int64_t down)
{
    const auto inRange = [](int64_t n) { return n >= kPSPlimMinMeshPoints && n <= kPSPlimMaxMeshPoints; };
    if (inRange(across) && inRange(down))
        return {};
    return "its grid of " + std::to_string(across) + " by " + std::to_string(down) + " points is outside " +
           std::to_string(kPSPlimMinMeshPoints) + " to " + std::to_string(kPSPlimMaxMeshPoints) +
           " points each way";
}

std::string PSPlimMeshFault(const PSPlimMesh& mesh)
{
    if (std::string fault = PSPlimMeshSizeFault(mesh.across, mesh.down); !fault.empty())
        return fault;
    if (mesh.points.size() != size_t(mesh.across) * size_t(mesh.down))
        return "it holds " + std::to_string(mesh.points.size()) + " points, not the " +
               std::to_string(size_t(mesh.across) * size_t(mesh.down)) + " of its grid";
    if (!PSPlimChoiceFrom<PSPlimEdgeMode>(PSPlimStored(mesh.edgeMode)))
        return "its edge mode " + std::to_string(PSPlimStored(mesh.edgeMode)) + " is none of 0 (fixed), 1 (locked), 2 (free)";
    const double diagonal = mesh.width * mesh.width + mesh.height * mesh.height;
    if (!(mesh.width > 0.0 && mesh.height > 0.0 && std::fabs(diagonal - 1.0) <= kDiagonalTolerance))
        return Format("its image size %.6g by %.6g grid units is no image's (the diagonal is 1)", mesh.width,
                      mesh.height);
    for (size_t i = 0; i < mesh.points.size(); ++i)
        if (std::string fault = PointFault(mesh.points[i], i, mesh.across); !fault.empty())
            return fault;
    return {};
}

void PSPlimFitMesh(const PSPlimMesh& mesh, PSPlimGrid& grid)
{
    if (const std::string fault = PSPlimMeshFault(mesh); !fault.empty())
        throw std::invalid_argument(fault);
    const double scaleX = grid.Width() / mesh.width;
    const double scaleY = grid.Height() / mesh.height;
    // Reset allocates first and leaves the grid alone if that fails; nothing
    // after it can.
    grid.Reset(grid.Width(), grid.Height(), mesh.across + 2, mesh.down + 2);
    for (int r = 1; r <= mesh.down; ++r) {
        for (int c = 1; c <= mesh.across; ++c) {
            const HuxGeometry::HuxPoint2D& p = mesh.points[size_t(r - 1) * size_t(mesh.across) + size_t(c - 1)];
            grid.At(c, r) = {p.x * scaleX, p.y * scaleY};
        }
    }
    grid.SetEdgeMode(mesh.edgeMode);
    // A stretch moves fixed border points off their regular places by a rounding.
    grid.ApplyEdgeMode();
}

std::string PSPlimMeshShapeNote(const PSPlimMesh& mesh, double width, double height)
{
    const double made = mesh.width / mesh.height;
    const double here = width / height;
    if (std::fabs(made / here - 1.0) <= kShapeTolerance)
        return {};
    return Format("the mesh was made on an image %.4g times as wide as high, this one is %.4g times: "
                  "the mesh is stretched to fit",
                  made, here);
}
