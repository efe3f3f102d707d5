// The most memory that operator new has handed out at once, counted by the test program's own
// operator new: a test can bound what a piece of work takes at its peak.
#pragma once

#include <cstddef>

class HeapPeak {
public:
    // Starts a count from the bytes allocated now.
    HeapPeak();

    // The most bytes allocated at once since the start, above what was allocated then.
    std::size_t Bytes() const;

private:
    std::size_t m_Start;
};
