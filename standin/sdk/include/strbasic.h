// The SDK is Unicode-only: MCHAR is wchar_t and string literals are wide.
#pragma once

#include <cwchar>

#define MCHAR_IS_WCHAR
#define MCHAR wchar_t
#define _M(x) L##x

#if defined(_WIN32)
// Windows declares TCHAR and _T itself (wchar_t and L"" with UNICODE); a macro would break it.
#include <windows.h>
#include <tchar.h>
#else
#ifndef _T
#define _T(x) L##x
#endif
#ifndef TCHAR
#define TCHAR wchar_t
#endif
#endif
