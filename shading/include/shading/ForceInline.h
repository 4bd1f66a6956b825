#pragma once

// Marks the small steps of a shading sample's arithmetic that must be inlined into their callers:
// the arithmetic is a long chain of dependent steps, and calls between them cut it into pieces
// that the processor cannot overlap.
#if defined(_MSC_VER)
#define NACREEN_FORCE_INLINE __forceinline
#else
#define NACREEN_FORCE_INLINE inline __attribute__((always_inline))
#endif
