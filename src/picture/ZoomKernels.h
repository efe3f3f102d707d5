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

#include <cstddef>
#include <cstdint>

namespace zoom_kernels {

// The taps of a run of outputs along one axis, without the taps of weight 0 (adding such a
// product to a sum leaves it as it was, up to the sign of a zero sum, which the final + 0.5
// erases). Output i sums offset[t] and weight[t] for t from first[i] to first[i + 1] - 1, in
// that order; offset is a source position times the lanes of the block it reads.
struct Taps {
    const std::int32_t* first;
    const std::int32_t* offset;
    const double* weight;
};

// A block holds `positions` x lanes doubles, position-major: block[p x lanes + l] is sample p of
// line l.
struct KernelSet {
    std::int32_t lanes;

    // Converts samples into a block; line l starts at lines[l] and its samples lie `step` bytes
    // apart.
    void (*loadLines)(double* block, const std::uint8_t* const* lines, std::ptrdiff_t step,
                      std::int32_t positions);

    // Converts samples that lie lane by lane: sample p of line l is at first[p x stride + l].
    // Reads `lanes` bytes at each position.
    void (*loadAcross)(double* block, const std::uint8_t* first, std::ptrdiff_t stride,
                       std::int32_t positions);

    // For outputs begin to end - 1, writes the rounded and clamped tap sum of each line:
    // out[(i - begin) x lanes + l].
    void (*filter)(const Taps& taps, std::int32_t begin, std::int32_t end, const double* block,
                   std::uint8_t* out);
};

// Kernels in plain C++, for any processor.
const KernelSet& PortableKernels();

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#define LUMBREL_ZOOM_X86 1
// SSE2 is the baseline of every x86 build; AVX2 is used only where the processor has it.
const KernelSet& Sse2Kernels();
const KernelSet& Avx2Kernels();
#endif

} // namespace zoom_kernels
