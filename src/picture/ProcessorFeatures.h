// What the processor offers beyond the build's baseline, for code that picks its instructions at
// run time. Plain declarations only: files built with wider instruction sets include this too.
#pragma once

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
// SSE2 is the baseline of every x86 build; anything wider is used only where the processor has it.
#define LUMBREL_X86 1
#endif

bool ProcessorHasSsse3();
// Also false when the system does not save the wide registers.
bool ProcessorHasAvx2();
