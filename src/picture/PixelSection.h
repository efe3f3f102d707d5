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
        : m_Handle(std::exchange(other.m_Handle, nullptr)),
          m_Bits(std::exchange(other.m_Bits, nullptr))
    {
    }
    PixelSection& operator=(PixelSection&& other) noexcept
    {
        reset();
        m_Handle = std::exchange(other.m_Handle, nullptr);
        m_Bits = std::exchange(other.m_Bits, nullptr);
        return *this;
    }
    PixelSection(const PixelSection&) = delete;
    PixelSection& operator=(const PixelSection&) = delete;
    ~PixelSection() { reset(); }

    explicit operator bool() const { return m_Handle != nullptr; }
    uint8_t* Bits() const { return m_Bits; }
    void* Handle() const { return m_Handle; } // the HBITMAP on Win32

    void reset()
    {
        if (m_Handle)
            Release(m_Handle);
        m_Handle = nullptr;
        m_Bits = nullptr;
    }

private:
    static void Release(void* handle);

    void* m_Handle = nullptr;
    uint8_t* m_Bits = nullptr; // inside the section; null exactly when m_Handle is
};
