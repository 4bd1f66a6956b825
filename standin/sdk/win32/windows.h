// The few Win32 declarations that the plug-in and the host stand-in use, for Linux builds.
// Windows builds use the real <windows.h>; this folder is on the include path only on Linux.
#pragma once

#include <cstddef>
#include <cstdint>

// Windows is LLP64: these stay 32 bits wide on 64-bit Linux too, so that sizes and file layouts
// match the real platform.
typedef int BOOL;
typedef unsigned short WORD;
typedef unsigned short USHORT;
typedef std::uint32_t DWORD;
typedef std::uint32_t ULONG;
typedef unsigned int UINT;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef wchar_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;

// Opaque handles, distinct types as with STRICT on Windows.
struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef WINAPI
#define WINAPI
#endif
#ifndef CALLBACK
#define CALLBACK
#endif

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)(((WORD)(l)) | (((DWORD)(WORD)(h)) << 16)))
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))

#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_DESTROY 0x0002
#define BN_CLICKED 0

#define SW_SHOW 5

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2

#if defined(__GNUC__)
#define STANDIN_WIN32_API extern "C" __attribute__((visibility("default")))
#else
#define STANDIN_WIN32_API extern "C"
#endif

// Reads string `uID` of the module's compiled string table into `lpBuffer` (capacity
// `cchBufferMax` wide characters, terminator included); returns its length, 0 when missing.
STANDIN_WIN32_API int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);
STANDIN_WIN32_API BOOL DisableThreadLibraryCalls(HMODULE hLibModule);
