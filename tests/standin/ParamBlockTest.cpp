// Parameter blocks: defaults, values stored as given, change notification with the parameter
// id, animated floats with validity intervals, owner-reference parameters and resets.
#include <gtest/gtest.h>

#include <thread>

#include "StandinTestObjects.h"
#include "maxhost/Host.h"

namespace standin_test {
namespace {

class ParamBlocks : public ::testing::Test {
protected:
    void SetUp() override { map = new TestMap(); }
    void TearDown() override {
        maxhost::SetAnimateMode(false);
        map->DeleteMe();
    }
    TestMap* map = nullptr;
};

TEST_F(ParamBlocks, TheAutomaticBlockIsReferenceZeroWithDefaults) {
    IParamBlock2* pb = map->pblock;
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(map->GetReference(0), pb);
    EXPECT_EQ(pb->GetOwner(), map);
    EXPECT_EQ(pb->GetDesc(), &TestMapBlock());
    EXPECT_EQ(pb->ID(), 0);
    EXPECT_EQ(pb->GetFloat(kAmount), 0.5f);
    EXPECT_EQ(pb->GetInt(kEnabled), FALSE);
    EXPECT_EQ(pb->SuperClassID(), static_cast<SClass_ID>(PARAMETER_BLOCK2_CLASS_ID));
}

TEST_F(ParamBlocks, SetValueStoresOutOfRangeValuesAndNamesTheChangedParameter) {
    IParamBlock2* pb = map->pblock;
    EXPECT_TRUE(pb->SetValue(kAmount, 0, 7.5f)); // range is 0..1; the block does not clamp
    EXPECT_EQ(pb->GetFloat(kAmount), 7.5f);
    ASSERT_FALSE(map->changedParams.empty());
    EXPECT_EQ(map->changedParams.back(), kAmount);
    EXPECT_EQ(pb->LastNotifyParamID(), kAmount);

    EXPECT_TRUE(pb->SetValue(kEnabled, 0, TRUE));
    EXPECT_EQ(pb->GetInt(kEnabled), TRUE);
    EXPECT_EQ(map->changedParams.back(), kEnabled);
}

TEST_F(ParamBlocks, WrongTypesAndUnknownIdsAreRefused) {
    IParamBlock2* pb = map->pblock;
    map->changedParams.clear();
    EXPECT_FALSE(pb->SetValue(kAmount, 0, 3)); // int into a float parameter
    EXPECT_FALSE(pb->SetValue(kEnabled, 0, 1.0f));
    EXPECT_FALSE(pb->SetValue(99, 0, 1.0f));
    float f = -1.0f;
    Interval valid = FOREVER;
    EXPECT_FALSE(pb->GetValue(99, 0, f, valid));
    EXPECT_EQ(f, -1.0f);
    EXPECT_TRUE(map->changedParams.empty()) << "refused values notify nobody";
    EXPECT_EQ(maxhost::TakeHostFaults().size(), 4u) << "and each is a fault the host reports";
}

TEST_F(ParamBlocks, AConstantValueHoldsForever) {
    float v = 0.0f;
    Interval valid = FOREVER;
    EXPECT_TRUE(map->pblock->GetValue(kAmount, 1234, v, valid));
    EXPECT_TRUE(valid == FOREVER);
    int on = -1;
    EXPECT_TRUE(map->pblock->GetValue(kEnabled, 1234, on, valid));
    EXPECT_EQ(on, FALSE);
    EXPECT_TRUE(valid == FOREVER);
}

TEST_F(ParamBlocks, KeysInterpolateLinearlyAndNarrowTheInterval) {
    IParamBlock2* pb = map->pblock;
    ASSERT_TRUE(maxhost::SetKey(pb, kAmount, 0, 0.0f));
    ASSERT_TRUE(maxhost::SetKey(pb, kAmount, 4800, 1.0f));
    EXPECT_EQ(maxhost::NumKeys(pb, kAmount), 2);

    float v = 0.0f;
    Interval valid = FOREVER;
    pb->GetValue(kAmount, 1200, v, valid);
    EXPECT_FLOAT_EQ(v, 0.25f);
    EXPECT_TRUE(valid == Interval(1200, 1200)) << "one tick between keys";

    valid = FOREVER;
    pb->GetValue(kAmount, -100, v, valid);
    EXPECT_EQ(v, 0.0f);
    EXPECT_TRUE(valid == Interval(TIME_NegInfinity, 0)) << "held before the first key";

    valid = FOREVER;
    pb->GetValue(kAmount, 9600, v, valid);
    EXPECT_EQ(v, 1.0f);
    EXPECT_TRUE(valid == Interval(4800, TIME_PosInfinity)) << "held after the last key";

    valid = Interval(5000, 6000);
    pb->GetValue(kAmount, 5500, v, valid);
    EXPECT_TRUE(valid == Interval(5000, 6000)) << "the caller's interval is only narrowed";
}

TEST_F(ParamBlocks, KeysAtTheEndsOfTimeInterpolateWithoutOverflow) {
    IParamBlock2* pb = map->pblock;
    maxhost::SetKey(pb, kAmount, TIME_NegInfinity + 1, 0.0f);
    maxhost::SetKey(pb, kAmount, TIME_PosInfinity - 1, 1.0f);
    EXPECT_NEAR(pb->GetFloat(kAmount, 0), 0.5f, 1e-6f);
    EXPECT_NEAR(pb->GetFloat(kAmount, TIME_PosInfinity - 2), 1.0f, 1e-6f);
}

TEST_F(ParamBlocks, SetValueOnAnAnimatedFloatSetsAKey) {
    IParamBlock2* pb = map->pblock;
    maxhost::SetKey(pb, kAmount, 0, 0.0f);
    maxhost::SetKey(pb, kAmount, 100, 1.0f);
    pb->SetValue(kAmount, 50, 9.0f);
    EXPECT_EQ(maxhost::NumKeys(pb, kAmount), 3);
    EXPECT_EQ(pb->GetFloat(kAmount, 50), 9.0f);
    EXPECT_EQ(pb->GetFloat(kAmount, 25), 4.5f);
}

TEST_F(ParamBlocks, AnimateModeTurnsAConstantIntoKeys) {
    IParamBlock2* pb = map->pblock;
    maxhost::SetAnimateMode(true);
    pb->SetValue(kAmount, 0, 0.25f);
    EXPECT_EQ(maxhost::NumKeys(pb, kAmount), 0) << "setting at time 0 keeps a constant";
    pb->SetValue(kAmount, 480, 0.75f);
    EXPECT_EQ(maxhost::NumKeys(pb, kAmount), 2);
    EXPECT_EQ(pb->GetFloat(kAmount, 0), 0.25f);
    EXPECT_EQ(pb->GetFloat(kAmount, 480), 0.75f);
    pb->SetValue(kEnabled, 480, TRUE); // bools are not animatable
    EXPECT_EQ(pb->GetInt(kEnabled, 0), TRUE);
    maxhost::SetAnimateMode(false);

    EXPECT_TRUE(maxhost::ClearKeys(pb, kAmount));
    EXPECT_EQ(pb->GetFloat(kAmount, 480), 0.25f) << "keeps its value at time 0";
    EXPECT_FALSE(maxhost::SetKey(pb, kEnabled, 10, 1.0f)) << "only animatable floats get keys";
}

TEST_F(ParamBlocks, OwnerReferenceParametersReadAndWriteTheOwnersSlots) {
    IParamBlock2* pb = map->pblock;
    EXPECT_EQ(pb->GetReferenceTarget(kOutput), map->texout);
    EXPECT_NE(map->texout, nullptr);
    EXPECT_EQ(pb->GetTexmap(kSubmap), nullptr);
    EXPECT_EQ(pb->NumRefs(), 0) << "the block itself holds nothing";

    ConstMap* sub = new ConstMap();
    map->changedParams.clear();
    EXPECT_TRUE(pb->SetValue(kSubmap, 0, static_cast<Texmap*>(sub)));
    EXPECT_EQ(map->sub, sub);
    EXPECT_EQ(pb->GetTexmap(kSubmap), sub);
    EXPECT_EQ(map->changedParams.back(), kSubmap);

    // Installed on the owner directly, the block still reports it.
    ConstMap* other = new ConstMap();
    map->SetSubTexmap(0, other);
    EXPECT_EQ(pb->GetTexmap(kSubmap), other);
    EXPECT_TRUE(pb->SetValue(kSubmap, 0, static_cast<Texmap*>(nullptr)));
    EXPECT_EQ(map->sub, nullptr);
}

TEST_F(ParamBlocks, ResetReturnsValuesToDefaultsAndKeepsTheOwnersObjects) {
    IParamBlock2* pb = map->pblock;
    TextureOutput* output = map->texout;
    map->SetSubTexmap(0, new ConstMap());
    maxhost::SetKey(pb, kAmount, 0, 0.0f);
    maxhost::SetKey(pb, kAmount, 100, 1.0f);
    pb->SetValue(kEnabled, 0, TRUE);

    TestMapDesc()->Reset(map, TRUE, TRUE);
    EXPECT_EQ(pb->GetFloat(kAmount, 50), 0.5f);
    EXPECT_EQ(maxhost::NumKeys(pb, kAmount), 0);
    EXPECT_EQ(pb->GetInt(kEnabled), FALSE);
    EXPECT_EQ(map->texout, output);
    EXPECT_NE(map->sub, nullptr) << "the owner clears its own references";
    EXPECT_EQ(pb->LastNotifyParamID(), -1);
}

TEST_F(ParamBlocks, ReadsAreCountedOncePerRead) {
    IParamBlock2* pb = map->pblock;
    maxhost::ResetParamBlockReads(pb);
    pb->GetFloat(kAmount, 0);
    float v = 0.0f;
    Interval valid = FOREVER;
    pb->GetValue(kAmount, 0, v, valid);
    EXPECT_EQ(maxhost::ParamBlockReads(pb), 2u);
}

TEST_F(ParamBlocks, ManyThreadsMayReadAtOnce) {
    IParamBlock2* pb = map->pblock;
    maxhost::SetKey(pb, kAmount, 0, 0.0f);
    maxhost::SetKey(pb, kAmount, 4800, 1.0f);
    maxhost::ResetParamBlockReads(pb);
    constexpr int kThreads = 4;
    constexpr int kReads = 2000;
    std::vector<std::thread> threads;
    std::vector<int> wrong(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kReads; ++i) {
                if (pb->GetFloat(kAmount, 2400) != 0.5f) {
                    ++wrong[static_cast<std::size_t>(t)];
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(std::count(wrong.begin(), wrong.end(), 0), kThreads);
    EXPECT_EQ(maxhost::ParamBlockReads(pb), static_cast<std::uint64_t>(kThreads * kReads));
}

TEST_F(ParamBlocks, ACloneCopiesValuesAndKeysAndBelongsToItsNewOwner) {
    IParamBlock2* pb = map->pblock;
    pb->SetValue(kEnabled, 0, TRUE);
    maxhost::SetKey(pb, kAmount, 0, 0.0f);
    maxhost::SetKey(pb, kAmount, 10, 1.0f);
    auto* copy = static_cast<TestMap*>(CloneThroughHost(map));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->pblock, pb);
    EXPECT_EQ(copy->pblock->GetOwner(), copy);
    EXPECT_EQ(copy->pblock->GetInt(kEnabled), TRUE);
    EXPECT_EQ(copy->pblock->GetFloat(kAmount, 5), 0.5f);
    EXPECT_EQ(copy->pblock->GetReferenceTarget(kOutput), copy->texout);
    EXPECT_NE(copy->texout, map->texout);
    copy->DeleteMe();
}

} // namespace
} // namespace standin_test
