// Update and validity: when the map reads its block again, and how it narrows intervals.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"
#include "TestSupport.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>

namespace nacreen_test {
namespace {

class MapUpdate : public ::testing::Test {
protected:
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);

    // Block reads made by one Update at `t`, with the caller's interval `valid`.
    std::uint64_t ReadsOfUpdate(TimeValue t, Interval& valid) {
        maxhost::ResetParamBlockReads(pb);
        map->Update(t, valid);
        return maxhost::ParamBlockReads(pb);
    }

    std::uint64_t ReadsOfUpdate(TimeValue t) {
        Interval valid = FOREVER;
        return ReadsOfUpdate(t, valid);
    }
};

TEST_F(MapUpdate, ValidityOfANewMapReadsEverythingAndIsForever) {
    maxhost::ResetParamBlockReads(pb);
    EXPECT_EQ(map->Validity(0), FOREVER);
    // The switch and the seven cached floats; gamma is read per sample.
    EXPECT_EQ(maxhost::ParamBlockReads(pb), 8u);
    EXPECT_EQ(ReadsOfUpdate(1000), 0u);
}

TEST_F(MapUpdate, UpdateInsideValidityReadsNothingYetNarrowsTheCaller) {
    maxhost::SetKey(pb, kHue, 0, 0.0f);
    maxhost::SetKey(pb, kHue, 4800, 90.0f);
    Interval first = FOREVER;
    ReadsOfUpdate(2400, first);
    ASSERT_TRUE(first.InInterval(2400));
    ASSERT_FALSE(first == FOREVER);

    Interval caller = FOREVER;
    EXPECT_EQ(ReadsOfUpdate(2400, caller), 0u);
    EXPECT_EQ(caller, first);
}

TEST_F(MapUpdate, AnAnimatedParameterNarrowsValidityToItsOwnSpan) {
    maxhost::SetKey(pb, kThicknessMin, 0, 350.0f);
    maxhost::SetKey(pb, kThicknessMin, 4800, 700.0f);
    Interval paramValid = FOREVER;
    float value = 0.0f;
    pb->GetValue(kThicknessMin, 2400, value, paramValid);

    Interval caller = FOREVER;
    map->Update(2400, caller);
    const Interval validity = map->Validity(2400);
    EXPECT_TRUE(validity.InInterval(2400));
    EXPECT_GE(validity.Start(), paramValid.Start());
    EXPECT_LE(validity.End(), paramValid.End());
    EXPECT_EQ(caller, validity);
}

TEST_F(MapUpdate, UpdateOutsideValidityReadsAgain) {
    maxhost::SetKey(pb, kSat, 0, 0.0f);
    maxhost::SetKey(pb, kSat, 4800, 50.0f);
    ReadsOfUpdate(0);
    const Interval validity = map->Validity(0);
    ASSERT_FALSE(validity.InInterval(4800));
    EXPECT_EQ(ReadsOfUpdate(4800), 8u);
}

TEST_F(MapUpdate, UpdateNarrowsTheCallerEvenWhenNothingIsAnimated) {
    Interval caller(100, 200);
    map->Update(150, caller);
    EXPECT_EQ(caller, Interval(100, 200));
}

TEST_F(MapUpdate, AnAnimatedThicknessMapNarrowsValidity) {
    ConstantMonoMap* sub = ConstantMonoMap::Create(0.5f);
    sub->ownValidity = Interval(0, 99);
    map->SetSubTexmap(0, sub);
    Interval caller = FOREVER;
    map->Update(50, caller);
    EXPECT_EQ(caller, Interval(0, 99));
    EXPECT_EQ(sub->updateCalls, 1);
}

TEST(MapWithoutBlock, UpdateLeavesTheCallerAloneAndValidityStaysStale) {
    Owned<Texmap> map = NewNacreen();
    map->DeleteReference(kParamBlockRef);
    ASSERT_EQ(map->GetParamBlock(0), nullptr);
    Interval caller(5, 10);
    map->Update(7, caller);
    EXPECT_EQ(caller, Interval(5, 10));
    EXPECT_TRUE(map->Validity(7).Empty());
    map->Reset();
    EXPECT_NE(map->GetReference(kOutputRef), nullptr);
}

TEST_F(MapUpdate, AChangeOfAnyReferenceMakesTheNextUpdateReadAgain) {
    ConstantMonoMap* sub = ConstantMonoMap::Create(0.5f);
    map->SetSubTexmap(0, sub);
    ReadsOfUpdate(0);
    ASSERT_EQ(ReadsOfUpdate(0), 0u);

    sub->Touch();
    EXPECT_EQ(ReadsOfUpdate(0), 8u);

    static_cast<MtlBase*>(map->GetReference(kOutputRef))
        ->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(ReadsOfUpdate(0), 8u);

    pb->SetValue(kHue, 0, 10.0f);
    EXPECT_EQ(ReadsOfUpdate(0), 8u);
}

TEST_F(MapUpdate, OtherMessagesChangeNothing) {
    ReadsOfUpdate(0);
    ReferenceTarget* output = map->GetReference(kOutputRef);
    EXPECT_EQ(SendRefMessage(map.get(), output, REFMSG_USER), REF_SUCCEED);
    EXPECT_EQ(SendRefMessage(map.get(), pb, REFMSG_SUBANIM_STRUCTURE_CHANGED), REF_SUCCEED);
    EXPECT_EQ(ReadsOfUpdate(0), 0u);
    EXPECT_EQ(SendRefMessage(map.get(), output, REFMSG_CHANGE), REF_SUCCEED);
    EXPECT_EQ(SendRefMessage(map.get(), pb, REFMSG_CHANGE), REF_SUCCEED);
    EXPECT_EQ(ReadsOfUpdate(0), 8u);
}

TEST_F(MapUpdate, SettingTheSubTexmapMakesTheNextUpdateReadAgain) {
    ReadsOfUpdate(0);
    map->SetSubTexmap(0, nullptr);
    EXPECT_EQ(ReadsOfUpdate(0), 8u);
}

} // namespace
} // namespace nacreen_test
