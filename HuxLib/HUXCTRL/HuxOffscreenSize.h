// When an off-screen buffer must be rebuilt: only when its window's client
// size changes, so that repeated paints allocate nothing. The first size
// always builds it, an empty one included.
#pragma once

#include <cstdint>

class HuxOffscreenSize {
public:
    // Stores the client size; true when it differs from the last one.
    bool Update(int32_t width, int32_t height)
    {
        if (width == m_width && height == m_height)
            return false;
        m_width = width;
        m_height = height;
        return true;
    }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }

private:
    int32_t m_width = -1;
    int32_t m_height = 0;
};
