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
        : m_imageType(imageType), m_pixelDepth(pixelDepth), m_width(width), m_height(height)
    {
    }

    TgaBuilder& Id(std::vector<uint8_t> id)
    {
        m_id = std::move(id);
        return *this;
    }
    // Declares a colour map; its entries' bytes are given as they are stored.
    TgaBuilder& ColourMap(uint16_t first, uint16_t length, uint8_t entryBits,
                          std::vector<uint8_t> entries)
    {
        m_mapType = 1;
        m_mapFirst = first;
        m_mapLength = length;
        m_mapEntryBits = entryBits;
        m_map = std::move(entries);
        return *this;
    }
    TgaBuilder& Descriptor(uint8_t descriptor)
    {
        m_descriptor = descriptor;
        return *this;
    }
    TgaBuilder& Data(std::initializer_list<uint8_t> bytes)
    {
        m_data.insert(m_data.end(), bytes);
        return *this;
    }
    TgaBuilder& Data(const std::vector<uint8_t>& bytes)
    {
        m_data.insert(m_data.end(), bytes.begin(), bytes.end());
        return *this;
    }

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> file = {static_cast<uint8_t>(m_id.size()),
                                     m_mapType,
                                     m_imageType,
                                     Lo(m_mapFirst),
                                     Hi(m_mapFirst),
                                     Lo(m_mapLength),
                                     Hi(m_mapLength),
                                     m_mapEntryBits,
                                     0, // x origin
                                     0,
                                     0, // y origin
                                     0,
                                     Lo(m_width),
                                     Hi(m_width),
                                     Lo(m_height),
                                     Hi(m_height),
                                     m_pixelDepth,
                                     m_descriptor};
        file.insert(file.end(), m_id.begin(), m_id.end());
        file.insert(file.end(), m_map.begin(), m_map.end());
        file.insert(file.end(), m_data.begin(), m_data.end());
        return file;
    }

private:
    static uint8_t Lo(uint16_t value) { return static_cast<uint8_t>(value); }
    static uint8_t Hi(uint16_t value) { return static_cast<uint8_t>(value >> 8); }

    uint8_t m_imageType;
    uint8_t m_pixelDepth;
    uint16_t m_width;
    uint16_t m_height;
    uint8_t m_descriptor = 0;
    uint8_t m_mapType = 0;
    uint16_t m_mapFirst = 0;
    uint16_t m_mapLength = 0;
    uint8_t m_mapEntryBits = 0;
    std::vector<uint8_t> m_id;
    std::vector<uint8_t> m_map;
    std::vector<uint8_t> m_data;
};
