// The picture object's life: creating, clearing and tracing pixel buffers.
#include "picture/tga.h"

#include "picture/PictureTrace.h"

#include <cstdint>
#include <limits>
#include <new>

namespace {

// A picture's pixels must fit a DIB section: at most 2^31 - 1 bytes. A TGA header can ask for
// 65535 x 65535 pixels, close to 16 GiB, so the product is taken in 64 bits.
bool IsBufferSizeAllowed(int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    const int64_t bytes = int64_t{width} * int64_t{height} * 4;
    return bytes <= std::numeric_limits<int32_t>::max();
}

} // namespace

CTga::~CTga()
{
    Clear();
}

void CTga::Clear()
{
    m_pInfoHeader.reset();
    m_hDibSection.reset();
    m_pBits = nullptr;
}

int CTga::CreatePixels(int width, int height)
{
    Clear();
    if (IsBufferSizeAllowed(width, height)) {
        m_pInfoHeader.reset(new (std::nothrow) BitmapInfoHeader{
            .biSize = sizeof(BitmapInfoHeader),
            .biWidth = width,
            .biHeight = height,
            .biPlanes = 1,
            .biBitCount = 32,
            .biCompression = kBiRgb,
            .biSizeImage = 0,
            .biXPelsPerMeter = 0,
            .biYPelsPerMeter = 0,
            .biClrUsed = 0,
            .biClrImportant = 0,
        });
        if (m_pInfoHeader)
            m_hDibSection = PixelSection(*m_pInfoHeader);
        m_pBits = m_hDibSection.Bits();
        // A header without pixels would be neither state of the picture.
        if (!m_pBits)
            Clear();
    }
    // Every call leaves a record, a failed one with both addresses 0 since it holds nothing.
    AppendPictureTrace(m_pBits, m_pInfoHeader.get(), width, height);
    return m_pBits ? 1 : 0;
}

void CTga::TraceRecreation()
{
    AppendPictureTrace(m_pBits, m_pInfoHeader.get(), Width(), Height());
}
