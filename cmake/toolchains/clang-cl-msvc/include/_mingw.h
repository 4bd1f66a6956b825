// mingw-w64's _mingw.h, made fit for clang in MSVC mode. Without __GNUC__ it defines
// __attribute__ away, which breaks clang's own intrinsic headers that <winnt.h> reaches, and it
// writes __declspec(noreturn), __declspec(deprecated) and __declspec(nothrow) where only GNU
// attributes may stand (after a declarator). clang understands the GNU spelling in either mode.
#pragma once
#include_next <_mingw.h>

#undef __attribute__
#undef __MINGW_ATTRIB_NORETURN
#define __MINGW_ATTRIB_NORETURN __attribute__((__noreturn__))
#undef __MINGW_ATTRIB_DEPRECATED
#define __MINGW_ATTRIB_DEPRECATED __attribute__((__deprecated__))
#undef __MINGW_NOTHROW
#define __MINGW_NOTHROW __attribute__((__nothrow__))
