// Owns one reference to a COM interface (the DirectDraw objects and interfaces), so that every
// path out of a function releases what it obtained. Moves, never copies.
#pragma once

#include <utility>

template <class Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : m_Pointer(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    Interface* operator->() const { return m_Pointer; }
    Interface* get() const { return m_Pointer; }
    explicit operator bool() const { return m_Pointer != nullptr; }

    Interface* release() { return std::exchange(m_Pointer, nullptr); }
    void reset(Interface* pointer = nullptr)
    {
        if (Interface* previous = std::exchange(m_Pointer, pointer))
            previous->Release();
    }

    // For the out-parameter of a call that hands over a reference; releases what was held first.
    Interface** put()
    {
        reset();
        return &m_Pointer;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

private:
    Interface* m_Pointer = nullptr;
};
