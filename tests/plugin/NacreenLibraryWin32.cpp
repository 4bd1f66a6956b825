// The Windows side of the plug-in tests' library layer (declared in tests/plugin): Nacreen.dlt
// loaded by Windows itself. LoadLibraryW runs the library's static initialisation and DllMain;
// the entry points are found with GetProcAddress. As the host does, the layer then checks the
// version stamp, initialises the library and registers its classes, so that scenes can create
// maps; after the tests it shuts the library down and unloads it.
#include "NacreenLibrary.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace nacreen_test {

namespace {

template <typename Function> Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The build gives the path with forward slashes; LoadLibraryW wants backslashes.
std::wstring WindowsPath(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring path(length > 0 ? length - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, path.data(), length);
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

[[noreturn]] void Refuse(const std::string& reason) {
    // Nothing else can be tested without the library.
    std::fprintf(stderr, "cannot load %s: %s\n", NACREEN_DLT_PATH, reason.c_str());
    std::abort();
}

class WindowsLibrary {
public:
    WindowsLibrary() {
        module_ = LoadLibraryW(WindowsPath(NACREEN_DLT_PATH).c_str());
        if (!module_) {
            Refuse("LoadLibraryW failed with error " + std::to_string(GetLastError()));
        }
        Resolve();
        if (libVersion() != VERSION_3DSMAX) {
            Refuse("its version stamp does not match the host's");
        }
        if (!libInitialize()) {
            Refuse("LibInitialize returned FALSE");
        }
        for (int i = 0; i < libNumberClasses(); ++i) {
            ClassDesc* desc = libClassDesc(i);
            if (!desc) {
                Refuse("LibClassDesc(" + std::to_string(i) + ") returned null");
            }
            maxhost::RegisterClassDesc(desc);
            classes_.push_back(desc);
        }
    }

    ~WindowsLibrary() {
        libShutdown();
        for (ClassDesc* desc : classes_) {
            maxhost::UnregisterClassDesc(desc);
        }
        FreeLibrary(module_);
    }

    WindowsLibrary(const WindowsLibrary&) = delete;
    WindowsLibrary& operator=(const WindowsLibrary&) = delete;

    HMODULE Module() const { return module_; }

    const MCHAR* (*libDescription)() = nullptr;
    int (*libNumberClasses)() = nullptr;
    ClassDesc* (*libClassDesc)(int) = nullptr;
    ULONG (*libVersion)() = nullptr;
    int (*libInitialize)() = nullptr;
    int (*libShutdown)() = nullptr;

private:
    void Resolve() {
        libDescription = Export<const MCHAR* (*)()>(module_, "LibDescription");
        libNumberClasses = Export<int (*)()>(module_, "LibNumberClasses");
        libClassDesc = Export<ClassDesc* (*)(int)>(module_, "LibClassDesc");
        libVersion = Export<ULONG (*)()>(module_, "LibVersion");
        libInitialize = Export<int (*)()>(module_, "LibInitialize");
        libShutdown = Export<int (*)()>(module_, "LibShutdown");
        if (!libDescription || !libNumberClasses || !libClassDesc || !libVersion ||
            !libInitialize || !libShutdown) {
            Refuse("an entry point is not exported");
        }
    }

    HMODULE module_ = nullptr;
    std::vector<ClassDesc*> classes_;
};

std::unique_ptr<WindowsLibrary>& LoadedOrNot() {
    static std::unique_ptr<WindowsLibrary> library;
    return library;
}

const WindowsLibrary& Library() {
    std::unique_ptr<WindowsLibrary>& library = LoadedOrNot();
    if (!library) {
        library = std::make_unique<WindowsLibrary>();
    }
    return *library;
}

// The library is unloaded once the tests are done, as the host unloads it at exit, while the
// host's own state still exists.
class UnloadAfterTests : public ::testing::Environment {
public:
    void TearDown() override { LoadedOrNot().reset(); }
};

[[maybe_unused]] const ::testing::Environment* const unloadAfterTests =
    ::testing::AddGlobalTestEnvironment(new UnloadAfterTests);

} // namespace

bool NacreenLoaded() {
    return Library().Module() != nullptr;
}

HINSTANCE NacreenInstance() {
    return Library().Module();
}

const MCHAR* LibDescription() {
    return Library().libDescription();
}

int LibNumberClasses() {
    return Library().libNumberClasses();
}

ClassDesc* LibClassDesc(int i) {
    return Library().libClassDesc(i);
}

ULONG LibVersion() {
    return Library().libVersion();
}

int LibInitialize() {
    return Library().libInitialize();
}

int LibShutdown() {
    return Library().libShutdown();
}

} // namespace nacreen_test
