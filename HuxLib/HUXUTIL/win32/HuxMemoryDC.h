// A memory device context compatible with another (null: the screen),
// deleted with its holder. Whatever was selected into it must be selected
// out first (see HuxSelection), or the objects would stay selected.
#pragma once

#include <windows.h>

#include <utility>

class HuxMemoryDC {
public:
    HuxMemoryDC() = default;
    explicit HuxMemoryDC(HDC compatible) : m_dc(CreateCompatibleDC(compatible)) {}
    ~HuxMemoryDC()
    {
        if (m_dc)
            DeleteDC(m_dc);
    }
    HuxMemoryDC(HuxMemoryDC&& other) noexcept : m_dc(std::exchange(other.m_dc, nullptr)) {}
    HuxMemoryDC& operator=(HuxMemoryDC&& other) noexcept
    {
        HuxMemoryDC taken(std::move(other));
        std::swap(m_dc, taken.m_dc);
        return *this;
    }
    HuxMemoryDC(const HuxMemoryDC&) = delete;
    HuxMemoryDC& operator=(const HuxMemoryDC&) = delete;

    // Null when the system refused the context.
    HDC Get() const { return m_dc; }

private:
    HDC m_dc = nullptr;
};
