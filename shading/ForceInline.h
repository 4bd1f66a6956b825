#pragma once

// Marks the small steps of the per-sample road that must be inlined into their callers: the
// road is a long chain of dependent arithmetic, and calls between its steps cut it into pieces
// that the processor cannot overlap.
#if defined(_MSC_VER)
#define NACREEN_FORCE_INLINE __forceinline
#else
#define NACREEN_FORCE_INLINE inline __attribute__((always_inline))
#endif
