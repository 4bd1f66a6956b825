#include "CustomControlClasses.h"

#include <windows.h>

namespace nacreen_windows {

namespace {

bool RegisterGlobalClass(const wchar_t* name) {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

} // namespace

bool RegisterCustomControlClasses() {
    static const bool registered = RegisterGlobalClass(L"CustEdit") &&
                                   RegisterGlobalClass(L"SpinnerControl") &&
                                   RegisterGlobalClass(L"CustButton");
    return registered;
}

} // namespace nacreen_windows
