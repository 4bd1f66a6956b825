// mingw-w64's stdlib.h with what the Universal C Runtime's adds for C++ and libc++ expects: the
// long and long long overloads of abs and div, and the locale-taking string conversions.
#pragma once
#include_next <stdlib.h>

#ifdef __cplusplus
extern "C" {
#endif
float __cdecl _strtof_l(const char* string, char** end, _locale_t locale);
long double __cdecl _strtold_l(const char* string, char** end, _locale_t locale);
#ifdef __cplusplus
}

extern "C++" {
inline long abs(long value) noexcept {
    return labs(value);
}
inline long long abs(long long value) noexcept {
    return llabs(value);
}
inline ldiv_t div(long numerator, long denominator) noexcept {
    return ldiv(numerator, denominator);
}
inline lldiv_t div(long long numerator, long long denominator) noexcept {
    return lldiv(numerator, denominator);
}
}
#endif
