// Builds TGA files byte by byte for the decoder's tests: the 18-byte header from named fields,
// then the ID field, the colour map and the pixel data exactly as given (nothing is checked, so
// tests can build files that lie).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

class TgaBuilder {
public:
    TgaBuilder(uint8_t imageType, uint8_t pixelDepth, uint16_t width, uint16_t height)
        : m_ImageType(imageType), m_PixelDepth(pixelDepth), m_Width(width), m_Height(height)
    {
    }

    TgaBuilder& Id(std::vector<uint8_t> id)
    {
        m_Id = std::move(id);
        return *this;
    }
    // Declares a colour map; its entries' bytes are given as they are stored.
    TgaBuilder& ColourMap(uint16_t first, uint16_t length, uint8_t entryBits,
                          std::vector<uint8_t> entries)
    {
        m_MapType = 1;
        m_MapFirst = first;
        m_MapLength = length;
        m_MapEntryBits = entryBits;
        m_Map = std::move(entries);
        return *this;
    }
    TgaBuilder& Descriptor(uint8_t descriptor)
    {
        m_Descriptor = descriptor;
        return *this;
    }
    TgaBuilder& Data(std::initializer_list<uint8_t> bytes)
    {
        m_Data.insert(m_Data.end(), bytes);
        return *this;
    }
    TgaBuilder& Data(const std::vector<uint8_t>& bytes)
    {
        m_Data.insert(m_Data.end(), bytes.begin(), bytes.end());
        return *this;
    }

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> file = {static_cast<uint8_t>(m_Id.size()),
                                     m_MapType,
                                     m_ImageType,
                                     Lo(m_MapFirst),
                                     Hi(m_MapFirst),
                                     Lo(m_MapLength),
                                     Hi(m_MapLength),
                                     m_MapEntryBits,
                                     0, // x origin
                                     0,
                                     0, // y origin
                                     0,
                                     Lo(m_Width),
                                     Hi(m_Width),
                                     Lo(m_Height),
                                     Hi(m_Height),
                                     m_PixelDepth,
                                     m_Descriptor};
        file.insert(file.end(), m_Id.begin(), m_Id.end());
        file.insert(file.end(), m_Map.begin(), m_Map.end());
        file.insert(file.end(), m_Data.begin(), m_Data.end());
        return file;
    }

private:
    static uint8_t Lo(uint16_t value) { return static_cast<uint8_t>(value); }
    static uint8_t Hi(uint16_t value) { return static_cast<uint8_t>(value >> 8); }

    uint8_t m_ImageType;
    uint8_t m_PixelDepth;
    uint16_t m_Width;
    uint16_t m_Height;
    uint8_t m_Descriptor = 0;
    uint8_t m_MapType = 0;
    uint16_t m_MapFirst = 0;
    uint16_t m_MapLength = 0;
    uint8_t m_MapEntryBits = 0;
    std::vector<uint8_t> m_Id;
    std::vector<uint8_t> m_Map;
    std::vector<uint8_t> m_Data;
};
