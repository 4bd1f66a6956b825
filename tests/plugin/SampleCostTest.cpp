// What one shading sample costs the host: one block read (gamma) and no allocation.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"
#include "TestSupport.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>

namespace nacreen_test {
namespace {

class SampleCost : public ::testing::Test {
protected:
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    maxhost::SimpleShadeContext sc;
    static constexpr int kSamples = 100;

    void SetUp() override {
        pb->SetValue(kThicknessMapEnabled, 0, TRUE);
        map->SetSubTexmap(0, ConstantMonoMap::Create(0.7f));
        map->SetGBufID(2);
        UpdateMap(map.get());
        maxhost::ResetParamBlockReads(pb);
    }
};

TEST_F(SampleCost, EvalColorReadsTheBlockOnceAndAllocatesNothing) {
    const maxhost::HeapCounts before = maxhost::GetHeapCounts();
    for (int i = 0; i < kSamples; ++i) {
        map->EvalColor(sc);
    }
    EXPECT_EQ(maxhost::ParamBlockReads(pb), static_cast<std::uint64_t>(kSamples));
    EXPECT_EQ(maxhost::GetHeapCounts().allocations, before.allocations);
}

TEST_F(SampleCost, EvalMonoAndEvalNormalPerturbCostNoMore) {
    const maxhost::HeapCounts before = maxhost::GetHeapCounts();
    for (int i = 0; i < kSamples; ++i) {
        map->EvalMono(sc);
        map->EvalNormalPerturb(sc);
    }
    EXPECT_EQ(maxhost::ParamBlockReads(pb), static_cast<std::uint64_t>(kSamples));
    EXPECT_EQ(maxhost::GetHeapCounts().allocations, before.allocations);
}

} // namespace
} // namespace nacreen_test
