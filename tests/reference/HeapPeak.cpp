// Replaces the program's operator new and delete (the plain, array and nothrow forms; nothing
// here uses the aligned ones) with malloc and free behind a size header.
#include "HeapPeak.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_Allocated{0};
std::atomic<std::size_t> g_Peak{0};

constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t bytes) noexcept
{
    void* block = std::malloc(bytes + kHeader); // NOLINT(cppcoreguidelines-no-malloc)
    if (block == nullptr)
        return nullptr;
    *static_cast<std::size_t*>(block) = bytes;
    const std::size_t now = g_Allocated += bytes;
    std::size_t peak = g_Peak;
    while (now > peak && !g_Peak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void Release(void* pointer) noexcept
{
    if (pointer == nullptr)
        return;
    void* block = static_cast<char*>(pointer) - kHeader;
    g_Allocated -= *static_cast<std::size_t*>(block);
    std::free(block); // NOLINT(cppcoreguidelines-no-malloc)
}

void* AllocateOrThrow(std::size_t bytes)
{
    void* pointer = Allocate(bytes);
    if (pointer == nullptr)
        throw std::bad_alloc();
    return pointer;
}

} // namespace

HeapPeak::HeapPeak() : m_Start(g_Allocated)
{
    g_Peak = m_Start;
}

std::size_t HeapPeak::Bytes() const
{
    return g_Peak - m_Start;
}

void* operator new(std::size_t bytes)
{
    return AllocateOrThrow(bytes);
}

void* operator new[](std::size_t bytes)
{
    return AllocateOrThrow(bytes);
}

void* operator new(std::size_t bytes, const std::nothrow_t& /*unused*/) noexcept
{
    return Allocate(bytes);
}

void* operator new[](std::size_t bytes, const std::nothrow_t& /*unused*/) noexcept
{
    return Allocate(bytes);
}

void operator delete(void* pointer) noexcept
{
    Release(pointer);
}

void operator delete[](void* pointer) noexcept
{
    Release(pointer);
}

void operator delete(void* pointer, std::size_t /*bytes*/) noexcept
{
    Release(pointer);
}

void operator delete[](void* pointer, std::size_t /*bytes*/) noexcept
{
    Release(pointer);
}

void operator delete(void* pointer, const std::nothrow_t& /*unused*/) noexcept
{
    Release(pointer);
}

void operator delete[](void* pointer, const std::nothrow_t& /*unused*/) noexcept
{
    Release(pointer);
}
