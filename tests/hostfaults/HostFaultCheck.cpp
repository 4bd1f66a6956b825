// Fails the test during which the host recorded a plug-in fault that nobody took. A fault recorded
// outside any test (static initialisation, suite set-up) fails the next test.
#include <gtest/gtest.h>

#include "maxhost/Host.h"

namespace {

class HostFaultCheck : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        for (const maxhost::HostFault& fault : maxhost::TakeHostFaults()) {
            ADD_FAILURE() << "the host noticed a plug-in fault: " << fault.message;
        }
    }
};

[[maybe_unused]] const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new HostFaultCheck);
    return true;
}();

} // namespace
