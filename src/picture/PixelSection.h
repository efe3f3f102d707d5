// The memory a picture's pixels live in. On Win32 it is a DIB section, so GDI draws the pixels
// without converting them; the plain build uses heap memory. Either way the bytes start zeroed
// and stay at one address until the section is released.
#pragma once

#include "picture/BitmapInfoHeader.h"

#include <cstdint>
#include <utility>

class PixelSection {
public:
    PixelSection() = default;
    // A zero-filled section for the 32-bit picture the header describes; empty when the system
    // cannot provide one.
    explicit PixelSection(const BitmapInfoHeader& header);
    PixelSection(PixelSection&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr)),
          m_bits(std::exchange(other.m_bits, nullptr))
    {
    }
    PixelSection& operator=(PixelSection&& other) noexcept
    {
        reset();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_bits = std::exchange(other.m_bits, nullptr);
        return *this;
    }
    PixelSection(const PixelSection&) = delete;
    PixelSection& operator=(const PixelSection&) = delete;
    ~PixelSection() { reset(); }

    explicit operator bool() const { return m_handle != nullptr; }
    uint8_t* Bits() const { return m_bits; }
    void* Handle() const { return m_handle; } // the HBITMAP on Win32

    void reset()
    {
        if (m_handle)
            Release(m_handle);
        m_handle = nullptr;
        m_bits = nullptr;
    }

private:
    static void Release(void* handle);

    void* m_handle = nullptr;
    uint8_t* m_bits = nullptr; // inside the section; null exactly when m_handle is
};
