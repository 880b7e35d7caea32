// An inclusive range of grid point indices: the points a tool moved, or the
// points an undo record holds. left = -1 means the range is empty.
#pragma once

#include <algorithm>

struct GridIndexRect {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;

    bool Empty() const { return left < 0; }

    // Grows the range to include point (c, r).
    void Extend(int c, int r)
    {
        if (Empty()) {
            left = right = c;
            top = bottom = r;
            return;
        }
        left = std::min(left, c);
        top = std::min(top, r);
        right = std::max(right, c);
        bottom = std::max(bottom, r);
    }

    // Grows the range to the smallest one holding both.
    void Extend(const GridIndexRect& other)
    {
        if (other.Empty())
            return;
        Extend(other.left, other.top);
        Extend(other.right, other.bottom);
    }

    int Columns() const { return Empty() ? 0 : right - left + 1; }
    int Rows() const { return Empty() ? 0 : bottom - top + 1; }

    friend bool operator==(const GridIndexRect&, const GridIndexRect&) = default;
};
