// The SDK is Unicode-only: MCHAR is wchar_t and string literals are wide.
#pragma once

#include <cwchar>

#define MCHAR_IS_WCHAR
#define MCHAR wchar_t
#define _M(x) L##x

#ifndef _T
#define _T(x) L##x
#endif
#ifndef TCHAR
#define TCHAR wchar_t
#endif
