// The class descriptor: identity, names and the maps it creates.
#include "NacreenLibrary.h"
#include "TestSupport.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <string>

namespace nacreen_test {
namespace {

TEST(Descriptor, ReportsTheMapsIdentity) {
    ClassDesc2* desc = NacreenDesc();
    EXPECT_EQ(desc->ClassID(), NACREEN_CLASS_ID);
    // Saved scenes hold these two words: pinned here once, so that a change to the shared
    // definition cannot pass unnoticed.
    EXPECT_EQ(desc->ClassID().PartA(), 0x53E2B189u);
    EXPECT_EQ(desc->ClassID().PartB(), 0x7502736Bu);
    EXPECT_EQ(desc->SuperClassID(), static_cast<SClass_ID>(0xC10));
    EXPECT_EQ(desc->IsPublic(), 1);
    EXPECT_EQ(desc->HInstance(), NacreenInstance());
}

TEST(Descriptor, NamesTheClass) {
    ClassDesc2* desc = NacreenDesc();
    EXPECT_EQ(std::wstring(desc->ClassName()), L"Nacreen");
    EXPECT_EQ(std::wstring(desc->NonLocalizedClassName()), L"Nacreen");
    EXPECT_EQ(std::wstring(desc->InternalName()), L"Nacreen");
    EXPECT_EQ(std::wstring(desc->Category()), L"Standard");
}

TEST(Descriptor, IsRegisteredWithTheHostUnderItsIdentity) {
    // Asked first, as the library may only now be loaded and its class registered.
    ClassDesc* desc = NacreenDesc();
    EXPECT_EQ(maxhost::FindClassDesc(TEXMAP_CLASS_ID, NACREEN_CLASS_ID), desc);
}

TEST(Descriptor, OwnsTheOneParameterBlockDescriptor) {
    ClassDesc2* desc = NacreenDesc();
    ASSERT_EQ(desc->NumParamBlockDescs(), 1);
    ParamBlockDesc2* pbd = desc->GetParamBlockDesc(0);
    ASSERT_NE(pbd, nullptr);
    EXPECT_EQ(pbd->ID, 0);
    EXPECT_EQ(std::wstring(pbd->int_name.data()), L"params");
    EXPECT_EQ(pbd->cd, desc);
    EXPECT_EQ(desc->GetParamBlockDescByName(_T("params")), pbd);
}

// Everything a host could observe of a fresh map, for comparing two of them.
struct MapState {
    float values[11] = {};
    int enabled = -1;
    bool hasThicknessMap = true;
    bool hasOutput = false;
    Class_ID outputClass;
    Interval validity;
    AColor colour;
};

MapState Observe(Texmap* map) {
    MapState state;
    IParamBlock2* pb = map->GetParamBlock(0);
    for (ParamID id :
         {kThicknessMax, kThicknessMin, kNMedium, kNFilm, kNInternal, kGamma, kHue, kSat}) {
        state.values[id] = pb->GetFloat(id);
    }
    state.enabled = pb->GetInt(kThicknessMapEnabled);
    state.hasThicknessMap = map->GetReference(kThicknessMapRef) != nullptr;
    ReferenceTarget* output = map->GetReference(kOutputRef);
    state.hasOutput = output != nullptr;
    if (output) {
        state.outputClass = output->ClassID();
    }
    state.validity = map->Validity(0);
    maxhost::SimpleShadeContext sc;
    state.colour = map->EvalColor(sc);
    return state;
}

TEST(Descriptor, CreatesTheSameMapWhetherLoadingOrNot) {
    Owned<Texmap> forLoading = NewNacreen(TRUE);
    Owned<Texmap> forUser = NewNacreen(FALSE);
    ASSERT_TRUE(forLoading && forUser);
    const MapState a = Observe(forLoading.get());
    const MapState b = Observe(forUser.get());
    for (int id = 0; id < 11; ++id) {
        EXPECT_EQ(a.values[id], b.values[id]) << "parameter " << id;
    }
    EXPECT_EQ(a.enabled, 0);
    EXPECT_EQ(a.enabled, b.enabled);
    EXPECT_FALSE(a.hasThicknessMap);
    EXPECT_FALSE(b.hasThicknessMap);
    EXPECT_TRUE(a.hasOutput && b.hasOutput);
    EXPECT_EQ(a.outputClass, maxhost::StandardTextureOutputClassID());
    EXPECT_EQ(a.outputClass, b.outputClass);
    EXPECT_EQ(a.validity, b.validity);
    EXPECT_TRUE(SameColor(a.colour, b.colour));
}

TEST(Descriptor, CreateYieldsNullWhenTheHostHeapHasNoStorage) {
    const std::int64_t liveBefore = maxhost::LiveHeapBlocks();
    maxhost::FailNextHeapAllocations(1);
    void* map = NacreenDesc()->Create(FALSE);
    maxhost::ClearHeapFailures();
    EXPECT_EQ(map, nullptr);
    EXPECT_EQ(maxhost::LiveHeapBlocks(), liveBefore);
}

} // namespace
} // namespace nacreen_test
