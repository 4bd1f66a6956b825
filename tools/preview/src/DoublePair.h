#pragma once

#if (defined(__SSE2__) || defined(_M_X64)) && !defined(NACREEN_DOUBLE_PAIR_PORTABLE)
#include <emmintrin.h>
#define NACREEN_DOUBLE_PAIR_SSE2 1
#endif

#include <cmath>

namespace preview {
// Each form under its own name, so that a test may build the portable one beside the other.
#ifdef NACREEN_DOUBLE_PAIR_SSE2
inline namespace sse2_pair {
#else
inline namespace portable_pair {
#endif

// Two doubles that go through the same arithmetic side by side. Each operation is the IEEE one
// of each lane on its own, so a pair gives exactly the bits two scalar computations would; with
// SSE2 one instruction does both lanes, which halves the square roots and divisions the swatch
// camera waits for. Without SSE2 (WebAssembly) it is two scalars.
class DoublePair {
public:
    DoublePair(double first, double second) : DoublePair(Make(first, second)) {}
    explicit DoublePair(double both) : DoublePair(both, both) {}

    double First() const;
    double Second() const;
    void Store(double& first, double& second) const;

    friend DoublePair operator+(DoublePair a, DoublePair b);
    friend DoublePair operator-(DoublePair a, DoublePair b);
    friend DoublePair operator*(DoublePair a, DoublePair b);
    friend DoublePair operator/(DoublePair a, DoublePair b);
    friend DoublePair operator-(DoublePair a); // flips the sign bit, as scalar negation does
    friend DoublePair Sqrt(DoublePair a);
    friend DoublePair MaxWithZero(DoublePair a); // NaN-free input assumed

private:
#ifdef NACREEN_DOUBLE_PAIR_SSE2
    using Lanes = __m128d;
    static Lanes Make(double first, double second) {
        return _mm_set_pd(second, first);
    }
#else
    struct Lanes {
        double first, second;
    };
    static Lanes Make(double first, double second) {
        return {first, second};
    }
#endif
    DoublePair(Lanes lanes) : lanes_(lanes) {} // NOLINT: private, implicit by design

    Lanes lanes_;
};

// The scalar forms, so that one template serves a double and a pair.
inline double Sqrt(double a) {
    return std::sqrt(a);
}
inline double MaxWithZero(double a) {
    return a > 0.0 ? a : 0.0;
}

#ifdef NACREEN_DOUBLE_PAIR_SSE2

inline double DoublePair::First() const {
    return _mm_cvtsd_f64(lanes_);
}
inline double DoublePair::Second() const {
    return _mm_cvtsd_f64(_mm_unpackhi_pd(lanes_, lanes_));
}
inline void DoublePair::Store(double& first, double& second) const {
    _mm_storel_pd(&first, lanes_);
    _mm_storeh_pd(&second, lanes_);
}
inline DoublePair operator+(DoublePair a, DoublePair b) {
    return _mm_add_pd(a.lanes_, b.lanes_);
}
inline DoublePair operator-(DoublePair a, DoublePair b) {
    return _mm_sub_pd(a.lanes_, b.lanes_);
}
inline DoublePair operator*(DoublePair a, DoublePair b) {
    return _mm_mul_pd(a.lanes_, b.lanes_);
}
inline DoublePair operator/(DoublePair a, DoublePair b) {
    return _mm_div_pd(a.lanes_, b.lanes_);
}
inline DoublePair operator-(DoublePair a) {
    return _mm_xor_pd(a.lanes_, _mm_set1_pd(-0.0));
}
inline DoublePair Sqrt(DoublePair a) {
    return _mm_sqrt_pd(a.lanes_);
}
inline DoublePair MaxWithZero(DoublePair a) {
    return _mm_max_pd(a.lanes_, _mm_setzero_pd());
}

#else

inline double DoublePair::First() const {
    return lanes_.first;
}
inline double DoublePair::Second() const {
    return lanes_.second;
}
inline void DoublePair::Store(double& first, double& second) const {
    first = lanes_.first;
    second = lanes_.second;
}
inline DoublePair operator+(DoublePair a, DoublePair b) {
    return DoublePair(a.First() + b.First(), a.Second() + b.Second());
}
inline DoublePair operator-(DoublePair a, DoublePair b) {
    return DoublePair(a.First() - b.First(), a.Second() - b.Second());
}
inline DoublePair operator*(DoublePair a, DoublePair b) {
    return DoublePair(a.First() * b.First(), a.Second() * b.Second());
}
inline DoublePair operator/(DoublePair a, DoublePair b) {
    return DoublePair(a.First() / b.First(), a.Second() / b.Second());
}
inline DoublePair operator-(DoublePair a) {
    return DoublePair(-a.First(), -a.Second());
}
inline DoublePair Sqrt(DoublePair a) {
    return DoublePair(std::sqrt(a.First()), std::sqrt(a.Second()));
}
inline DoublePair MaxWithZero(DoublePair a) {
    return DoublePair(a.First() > 0.0 ? a.First() : 0.0, a.Second() > 0.0 ? a.Second() : 0.0);
}

#endif

} // namespace sse2_pair or portable_pair
} // namespace preview
