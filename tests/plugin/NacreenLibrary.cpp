#include "NacreenLibrary.h"

#include <maxhost/PluginLibrary.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace nacreen_test {

namespace {

maxhost::PluginLibrary& LoadedOrNot() {
    static maxhost::PluginLibrary library;
    return library;
}

maxhost::PluginLibrary& Library() {
    maxhost::PluginLibrary& library = LoadedOrNot();
    if (!library.IsLoaded()) {
        std::string error;
        if (!library.Load(NACREEN_DLT_PATH, error)) {
            // Nothing else can be tested without the library.
            std::fprintf(stderr, "cannot load %s: %s\n", NACREEN_DLT_PATH, error.c_str());
            std::abort();
        }
    }
    return library;
}

// The library is unloaded once the tests are done, as the host unloads it at exit, while the
// host's own state still exists.
class UnloadAfterTests : public ::testing::Environment {
public:
    void TearDown() override { LoadedOrNot().Unload(); }
};

[[maybe_unused]] const ::testing::Environment* const unloadAfterTests =
    ::testing::AddGlobalTestEnvironment(new UnloadAfterTests);

} // namespace

bool NacreenLoaded() {
    return Library().IsLoaded();
}

HINSTANCE NacreenInstance() {
    return Library().Instance();
}

const MCHAR* LibDescription() {
    return Library().EntryPoints().libDescription();
}

int LibNumberClasses() {
    return Library().EntryPoints().libNumberClasses();
}

ClassDesc* LibClassDesc(int i) {
    return Library().EntryPoints().libClassDesc(i);
}

ULONG LibVersion() {
    return Library().EntryPoints().libVersion();
}

int LibInitialize() {
    return Library().EntryPoints().libInitialize();
}

int LibShutdown() {
    return Library().EntryPoints().libShutdown();
}

} // namespace nacreen_test
