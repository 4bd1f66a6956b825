// Loads a plug-in library the way 3ds Max does and keeps it loaded until Unload: opens it, runs
// its entry point for attach, checks its SDK version stamp, calls LibInitialize, enumerates its
// class descriptors, reads its description and registers its classes with the host. A library
// that fails any step is refused with a one-line message and closed again: a missing export, a
// version stamp of another SDK, a FALSE from DllMain or LibInitialize, a null class descriptor,
// a class id the host already has, a parameter block descriptor with a broken tag list, or
// embedded resources that cannot be read.
//
// On Linux a library's HINSTANCE is its base address, and the library exports DllMain by name
// (a Windows DLL's entry point is found through its PE header instead).
#pragma once

#include "HostExport.h"
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class ClassDesc;

namespace maxhost {

// The entry points the host calls. The last two are optional, as in the real host.
struct PluginEntryPoints {
    BOOL(WINAPI* dllMain)(HINSTANCE, DWORD, LPVOID) = nullptr;
    const wchar_t* (*libDescription)() = nullptr;
    int (*libNumberClasses)() = nullptr;
    ClassDesc* (*libClassDesc)(int) = nullptr;
    ULONG (*libVersion)() = nullptr;
    int (*libInitialize)() = nullptr;
    int (*libShutdown)() = nullptr;
};

class MAXHOST_API PluginLibrary {
public:
    PluginLibrary();
    ~PluginLibrary(); // unloads
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // False, with `error` saying which library and why, when the library is refused; this object
    // then holds nothing. A library that is already loaded (here or elsewhere) is refused too.
    bool Load(const std::string& path, std::string& error);
    // Withdraws its classes from the host first, so that nothing creates objects of a library
    // that is shutting down; then LibShutdown, DllMain(DLL_PROCESS_DETACH) and close. Does
    // nothing when nothing is loaded.
    void Unload();

    bool IsLoaded() const;
    HINSTANCE Instance() const;
    // LibDescription's text as read at load time (the library's own buffer may be reused).
    const std::wstring& Description() const;
    const std::vector<ClassDesc*>& ClassDescs() const;
    const PluginEntryPoints& EntryPoints() const;

private:
    struct Loaded;
    std::unique_ptr<Loaded> loaded_;
};

} // namespace maxhost
