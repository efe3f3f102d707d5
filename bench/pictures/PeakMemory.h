// How much memory a piece of work takes at its peak, as the system counts it: the process's
// resident high-water mark, reset just before the work, above what was resident before it (with
// the heap's free memory handed back first). Linux and its C library only: the benchmarks that
// use it run natively.
#pragma once

#include <cstdint>
#include <functional>

// Runs the work once; returns the bytes, or -1 where the system cannot tell (Linux tells).
std::int64_t PeakMemoryOf(const std::function<void()>& work);
