// The size of a block of memory from sizes that a file or a caller gives, checked before the
// block is allocated or addressed: on i686 the product of two image sizes easily exceeds what a
// block can hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>

// The number of elements in a block of a x b elements of elementSize bytes; none when a or b is
// negative or the block would have more bytes than a pointer difference can count.
inline std::optional<std::size_t> BlockElements(std::int64_t a, std::int64_t b,
                                                std::size_t elementSize = 1) noexcept
{
    const std::int64_t most =
        std::numeric_limits<std::ptrdiff_t>::max() / static_cast<std::int64_t>(elementSize);
    if (a < 0 || b < 0 || (a != 0 && b > most / a))
        return std::nullopt;
    return static_cast<std::size_t>(a * b);
}

// The same for a block about to be allocated: throws std::bad_alloc when it cannot be.
inline std::size_t BlockElementsOrThrow(std::int64_t a, std::int64_t b, std::size_t elementSize = 1)
{
    const std::optional<std::size_t> count = BlockElements(a, b, elementSize);
    if (!count)
        throw std::bad_alloc();
    return *count;
}
