#pragma once

// The film colour evaluates its three channels side by side in SSE2 lanes where the hardware
// has them (every x86-64 processor does). Each lane performs the same IEEE operation,
// in the same order, as the scalar code, so the results are the same bits. Define
// NACREEN_SHADING_SCALAR to build the scalar code instead.

#if !defined(NACREEN_SHADING_SCALAR) && (defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64))
#define NACREEN_SHADING_SSE2 1
#include <emmintrin.h>

#include "shading/ForceInline.h"

namespace nacreen::sse2 {

// Limits each lane to [0, 1] as ClampUnit does: NaN and anything below 0 become +0, −0 stays.
NACREEN_FORCE_INLINE __m128 ClampUnit(__m128 value) {
    const __m128 atLeastZero = _mm_and_ps(_mm_cmpge_ps(value, _mm_setzero_ps()), value);
    return _mm_min_ps(atLeastZero, _mm_set1_ps(1.0f));
}

// Rounds two double lanes and two more to four float lanes.
NACREEN_FORCE_INLINE __m128 ToFloats(__m128d low, __m128d high) {
    return _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
}

} // namespace nacreen::sse2
#endif
