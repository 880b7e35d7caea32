// A row of lookups: runs of points that the remembered cell settles go to a
// row kernel, each point it stops at to the scalar lookup, which may move
// the remembered cell or learn that a triangle is clean; the kernel then
// goes on from the new state. Only settled points are taken from a kernel,
// whose counts and state are those the scalar lookup leaves for them: the
// remembered cell itself is left as it was, a failed test is counted for
// each point of the second triangle.
#include "grid/PSPlimGrid.h"

static_assert(GridRowKernel::kMargin == GridOverlaps::kMargin);
static_assert(sizeof(PSPlimGrid::Point2D) == 2 * sizeof(double));

namespace {

GridRowTriangle RowTriangle(const SolvedTriangle& solved)
{
    return {solved.baseX, solved.baseY, solved.a11,     solved.a12,
            solved.factor, solved.pivot, solved.swapped, solved.clean};
}

} // namespace

GridRowCell PSPlimGrid::RememberedCell(double y)
{
    const int a = rememberedColumn_, b = rememberedRow_;
    const bool upperLeft = rememberedTriangle_;
    GridRowCell cell{};
    // One at a time: a reference into the table does not outlive a Get.
    cell.first = RowTriangle(triangles_.Get(points_, across_, down_, a, b, upperLeft));
    cell.second = RowTriangle(triangles_.Get(points_, across_, down_, a, b, !upperLeft));
    cell.firstUpperLeft = upperLeft;
    cell.y = y;
    cell.width = width_;
    cell.height = height_;
    cell.cellsAcross = across_ - 3;
    cell.cellsDown = down_ - 3;
    cell.left = a - 1;
    cell.right = a;
    cell.top = b - 1;
    cell.bottom = b;
    cell.ringColumn = a == 0;
    cell.ringRow = b == 0;
    return cell;
}

void PSPlimGrid::InvertRow(const double* xs, double y, int32_t count, Point2D* out, GridRowSolver solver)
{
    const double clampedY = Clamped({0.0, y}).y;
    for (int32_t k = 0; k < count;) {
        if (solver != nullptr) {
            const GridRowCell cell = RememberedCell(clampedY);
            if (cell.first.clean || cell.second.clean) {
                const GridRowRun run = solver(cell, xs + k, count - k, reinterpret_cast<double*>(out + k));
                lookupCounter_ += run.solved;
                failedTestCounter_ += run.secondHits;
                if (run.solved > 0)
                    found_ = {rememberedColumn_, rememberedRow_, rememberedTriangle_ != run.lastInSecond};
                k += run.solved;
                if (k == count)
                    return;
            }
        }
        out[k] = InvertPoint({xs[k], y});
        ++k;
    }
}
