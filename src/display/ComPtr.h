// Owns one reference to a COM interface (the DirectDraw objects and interfaces), so that every
// path out of a function releases what it obtained. Moves, never copies.
#pragma once

#include <utility>

template <class Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : m_pointer(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    Interface* operator->() const { return m_pointer; }
    Interface* get() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    Interface* release() { return std::exchange(m_pointer, nullptr); }
    void reset(Interface* pointer = nullptr)
    {
        if (Interface* previous = std::exchange(m_pointer, pointer))
            previous->Release();
    }

    // For the out-parameter of a call that hands over a reference; releases what was held first.
    Interface** put()
    {
        reset();
        return &m_pointer;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

private:
    Interface* m_pointer = nullptr;
};
