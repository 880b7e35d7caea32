// A deformed grid taken out of its run, to be kept in a mesh file and put
// on another run's grid. It holds the inner points only (the ring always
// lies on the regular positions), in grid units of the image it was made
// on: the grid spans that image's diagonal, so its width and height in grid
// units are the image's shape, and a mesh fits any image of the same shape
// unchanged and stretches to one of another shape.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "grid/PSPlimChoices.h"

#include <cstdint>
#include <string>
#include <vector>

class PSPlimGrid;

struct PSPlimMesh {
    int32_t across = 0; // visible points across, the grid's inner columns
    int32_t down = 0;   // visible points down
    double width = 0.0; // the undeformed grid in grid units: width² + height² = 1
    double height = 0.0;
    PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Free;
    std::vector<HuxGeometry::HuxPoint2D> points; // across × down, row by row, in grid units
};

// Visible points each way, as the options dialog offers them.
constexpr int32_t kPSPlimMinMeshPoints = kPSPlimMinGridPoints - 2;
constexpr int32_t kPSPlimMaxMeshPoints = kPSPlimMaxGridPoints - 2;
// No tool flings a point this many image diagonals away; a coordinate
// beyond it is damage, not a deformation.
constexpr double kPSPlimMeshCoordinateLimit = 1000.0;

PSPlimMesh PSPlimMeshOf(const PSPlimGrid& grid);

// Why a grid of across × down visible points cannot be, or empty.
std::string PSPlimMeshSizeFault(int64_t across, int64_t down);

// Why the mesh cannot be a grid's, or empty when it can: its size's fault,
// point counts not matching the points, an edge mode that is none, a size that
// is not an image's in grid units, a point that is not finite or absurdly
// far.
std::string PSPlimMeshFault(const PSPlimMesh& mesh);

// Replaces the grid by the mesh, fitted to the grid's own width and height:
// x scaled by the ratio of the widths, y by that of the heights, then the
// mesh's edge mode applied. A mesh with a fault throws std::invalid_argument
// with the reason and leaves the grid as it was.
void PSPlimFitMesh(const PSPlimMesh& mesh, PSPlimGrid& grid);

// What fitting the mesh to an image of width × height (any unit) does to
// its shape: empty for the same shape, else a sentence saying both shapes
// and that the mesh is stretched.
std::string PSPlimMeshShapeNote(const PSPlimMesh& mesh, double width, double height);
