// A GDI object (bitmap, brush, pen, palette, font) owned by one holder and
// deleted with it. The object must not be selected into a context when the
// holder lets it go: a selected object cannot be deleted.
#pragma once

#include <windows.h>

#include <utility>

template <class Handle>
class HuxGdiObject {
public:
    HuxGdiObject() = default;
    explicit HuxGdiObject(Handle handle) : m_handle(handle) {}
    ~HuxGdiObject()
    {
        if (m_handle)
            DeleteObject(m_handle);
    }
    HuxGdiObject(HuxGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    HuxGdiObject& operator=(HuxGdiObject&& other) noexcept
    {
        HuxGdiObject taken(std::move(other));
        std::swap(m_handle, taken.m_handle);
        return *this;
    }
    HuxGdiObject(const HuxGdiObject&) = delete;
    HuxGdiObject& operator=(const HuxGdiObject&) = delete;

    Handle Get() const { return m_handle; }

private:
    Handle m_handle = nullptr;
};
