// The inner loops of the filtered zoom, one set per instruction set. A kernel set filters a block
// of `lanes` lines at once (source rows in the horizontal pass, intermediate columns in the
// vertical one): every output of every line sums the same taps in the same order, so each lane
// of a vector does exactly the scalar arithmetic of one line.
//
// The instruction-set files are compiled with their own target flags. Anything inline they share
// with the rest of the program would be emitted with those flags too and could be picked by the
// linker for callers on any CPU, so this header holds only plain types, and the kernel files
// use nothing from the standard library but integer types.
#pragma once

#include "picture/ProcessorFeatures.h"

#include <cstddef>
#include <cstdint>

namespace zoom_kernels {

// The taps of a run of outputs along one axis, without the taps of weight 0 (adding such a
// product to a sum leaves it as it was, up to the sign of a zero sum, which the final + 0.5
// erases). Output i sums offset[t] and weight[t] for t from first[i] to first[i + 1] - 1, in
// that order; offset is a position in the block times its lanes.
struct Taps {
    const std::int32_t* first;
    const std::int32_t* offset;
    const double* weight;
};

// A block holds positions x lanes samples as floats (exact for bytes, and half the stores of
// doubles), position-major: block[p x lanes + l] is sample p of line l. The sums are doubles.
struct KernelSet {
    std::int32_t lanes;

    // Converts `positions` samples of `channels` interleaved channels into one block per
    // channel: channel c of position p of line l is lines[l][p x step + c]. With a step of 4 the
    // whole 4 bytes of every position may be read.
    void (*loadLines)(float* const* blocks, std::int32_t channels, const std::uint8_t* const* lines,
                      std::ptrdiff_t step, std::int32_t positions);

    // Converts samples that lie lane by lane: sample p of line l is at first[p x stride + l].
    // Reads `lanes` bytes at each position.
    void (*loadAcross)(float* block, const std::uint8_t* first, std::ptrdiff_t stride,
                       std::int32_t positions);

    // Asks for `bytes` bytes from each of lanes lines to be brought into the cache: lines read
    // chunk by chunk are too many streams for the processor to foresee.
    void (*prefetchLines)(const std::uint8_t* const* lines, std::ptrdiff_t bytes);

    // For outputs begin to end - 1, writes the rounded and clamped tap sum of each line:
    // out[(i - begin) x lanes + l].
    void (*filter)(const Taps& taps, std::int32_t begin, std::int32_t end, const float* block,
                   std::uint8_t* out);

    // Writes the first `rows` lanes of `length` filter outputs as rows of bytes: lane l of
    // output i goes to first[l x stride + i]. Reads `lanes` bytes from each output on, so `out`
    // may start at a later lane if `lanes` bytes follow the last output.
    void (*storeRows)(const std::uint8_t* out, std::int32_t rows, std::int32_t length,
                      std::uint8_t* first, std::ptrdiff_t stride);

    // Writes three channels of filter outputs as `count` 4-byte pixels (fourth byte 0) of each of
    // `rows` rows: channel c of row j, lane l is out[c x plane + j x lanes + l]. count <= lanes.
    void (*storePixels)(const std::uint8_t* out, std::ptrdiff_t plane, std::int32_t rows,
                        std::int32_t count, std::uint8_t* first, std::ptrdiff_t stride);

    // Sets the fourth byte of `count` 4-byte pixels to 0, writing only where one is not 0
    // already: pixels that are clean cost a read, and their memory is left unwritten.
    void (*clearFourthBytes)(std::uint8_t* pixels, std::ptrdiff_t count);
};

// Kernels in plain C++, for any processor.
const KernelSet& PortableKernels();

#ifdef LUMBREL_X86
const KernelSet& Sse2Kernels();
const KernelSet& Avx2Kernels();
#endif

} // namespace zoom_kernels
