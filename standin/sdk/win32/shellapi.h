// ShellExecuteW for Linux builds: the stand-in records each call instead of opening a browser.
#pragma once

#include <windows.h>

STANDIN_WIN32_API HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile,
                                          LPCWSTR lpParameters, LPCWSTR lpDirectory, int nShowCmd);
