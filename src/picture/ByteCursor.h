// A reading position in a byte range that cannot pass the end: every read either gets all the
// bytes it asks for or gets none and leaves the position where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class ByteCursor {
public:
    explicit ByteCursor(std::span<const uint8_t> bytes)
        : m_Pos(bytes.data()), m_End(bytes.data() + bytes.size())
    {
    }

    size_t Remaining() const { return static_cast<size_t>(m_End - m_Pos); }
    const uint8_t* Position() const { return m_Pos; }

    // The next n bytes without moving past them, or null when fewer remain.
    const uint8_t* Peek(size_t n) const { return n <= Remaining() ? m_Pos : nullptr; }

    // Moves past n bytes that Peek has shown to be there.
    void Advance(size_t n) { m_Pos += n; }

    // The next n bytes, moving past them, or null (and no move) when fewer remain.
    const uint8_t* Take(size_t n)
    {
        const uint8_t* bytes = Peek(n);
        if (bytes)
            m_Pos += n;
        return bytes;
    }

    // Moves past n bytes, or to the end when fewer remain.
    void Skip(uint64_t n) { m_Pos += n < Remaining() ? static_cast<size_t>(n) : Remaining(); }

private:
    const uint8_t* m_Pos;
    const uint8_t* m_End;
};

inline uint16_t ReadLe16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}
