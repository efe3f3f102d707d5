// Pixel sections as DIB sections: GDI owns the bytes, DeleteObject frees them with the bitmap.
#include "base/Win32Handles.h"
#include "picture/PixelSection.h"

#include <windows.h>

#include <cstddef>

// The picture's header is handed to GDI as it is, so it must be laid out as GDI expects.
static_assert(sizeof(BitmapInfoHeader) == sizeof(BITMAPINFOHEADER));
static_assert(offsetof(BitmapInfoHeader, biWidth) == offsetof(BITMAPINFOHEADER, biWidth));
static_assert(offsetof(BitmapInfoHeader, biBitCount) == offsetof(BITMAPINFOHEADER, biBitCount));
static_assert(offsetof(BitmapInfoHeader, biSizeImage) == offsetof(BITMAPINFOHEADER, biSizeImage));
static_assert(offsetof(BitmapInfoHeader, biClrImportant) ==
              offsetof(BITMAPINFOHEADER, biClrImportant));

PixelSection::PixelSection(const BitmapInfoHeader& header)
{
    // A 32-bit BI_RGB header has no colour table, so the bare header is a complete BITMAPINFO.
    void* bits = nullptr;
    UniqueGdiObject section(::CreateDIBSection(
        nullptr, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (section && bits) {
        m_Bits = static_cast<uint8_t*>(bits);
        m_Handle = section.release();
    }
}

void PixelSection::Release(void* handle)
{
    ::DeleteObject(static_cast<HGDIOBJ>(handle));
}
