// Base of the tests that need Nacreen.dlt loaded with all six entry points found.
#pragma once

#include "NacreenModule.h"

#include <gtest/gtest.h>

namespace nacreen_windows {

class LoadedNacreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        module = NacreenModule();
        ASSERT_NE(module, nullptr) << "LoadLibraryW(Nacreen.dlt) failed, error " << GetLastError();
        const NacreenExports& found = Exports();
        ASSERT_TRUE(found.libDescription && found.libNumberClasses && found.libClassDesc &&
                    found.libVersion && found.libInitialize && found.libShutdown)
            << "an entry point is missing";
        exports = &found;
    }

    ClassDesc* Descriptor() const { return exports->libClassDesc(0); }

    HMODULE module = nullptr;
    const NacreenExports* exports = nullptr;
};

} // namespace nacreen_windows
