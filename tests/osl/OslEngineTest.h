#pragma once

#include "OslShading.h"

#include <gtest/gtest.h>

namespace oslshade {

// A test that needs the OSL engine. Where there is none it is skipped, saying why (CTest counts
// it as skipped, never as passed).
class OslEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string missing = MissingEngine();
        if (!missing.empty()) {
            GTEST_SKIP() << "OSL engine not available: " << missing;
        }
    }
};

} // namespace oslshade
