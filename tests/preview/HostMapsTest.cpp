// The host side in-process: the parameter table read from the plug-in's descriptor, parameters
// and keys set by scripting name, and the host's thickness maps inside a Nacreen map.
#include "BitmapThicknessMap.h"
#include "HostTexmapClasses.h"
#include "MapParameters.h"
#include "NacreenSession.h"
#include "NoiseThicknessMap.h"
#include "PngWriter.h"
#include "PreviewError.h"
#include "SceneFiles.h"
#include "ScratchFolder.h"

#include <imtl.h>
#include <iparamb2.h>
#include <maxhost/SceneIO.h>
#include <maxhost/SimpleShadeContext.h>

#include <gtest/gtest.h>

#include <filesystem>

using namespace preview;

namespace {

class HostMaps : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterHostTexmapClasses();
        map_ = session_.CreateMap();
    }
    void TearDown() override { ReleaseMap(map_); }

    float Thickness(TimeValue t, const char* name) {
        MapParameters parameters(*map_);
        return parameters.Block().GetFloat(FindParameter(parameters.Table(), name).id, t);
    }

    NacreenSession session_{NACREEN_PLUGIN_FOR_TESTS};
    Texmap* map_ = nullptr;
};

std::string Rejection(MapParameters& parameters, const char* text) {
    try {
        parameters.Apply(ParameterAssignment::Parse(text));
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST_F(HostMaps, ParameterTableComesFromTheDescriptorInIdOrder) {
    MapParameters parameters(*map_);
    const std::vector<ParameterInfo>& table = parameters.Table();
    ASSERT_EQ(table.size(), 11u);
    const char* names[] = {"thicknessmax", "thicknessmin",        "nmedium", "nfilm", "ninternal",
                           "thicknessmap", "thicknessmapenabled", "gamma",   "hue",   "sat",
                           "output"};
    for (std::size_t id = 0; id < table.size(); ++id) {
        EXPECT_EQ(table[id].name, names[id]);
        EXPECT_EQ(table[id].id, static_cast<short>(id));
    }
    EXPECT_EQ(table[3].kind, ParameterInfo::Kind::Float);
    EXPECT_FLOAT_EQ(table[3].minimum, 0.2f);
    EXPECT_FLOAT_EQ(table[3].maximum, 100.0f);
    EXPECT_FLOAT_EQ(table[0].defaultValue, 250.0f);
    EXPECT_EQ(table[5].kind, ParameterInfo::Kind::TextureMap);
    EXPECT_EQ(table[6].kind, ParameterInfo::Kind::Bool);
    EXPECT_FALSE(table[6].animatable);
    EXPECT_TRUE(table[7].animatable);
    EXPECT_EQ(table[10].kind, ParameterInfo::Kind::Reference);
}

TEST_F(HostMaps, KeysAnimateFromTheValueBefore) {
    MapParameters parameters(*map_);
    parameters.Apply(ParameterAssignment::Parse("thicknessmin@4800=550"));
    EXPECT_TRUE(parameters.IsAnimated("thicknessmin"));
    EXPECT_FALSE(parameters.IsAnimated("thicknessmax"));
    EXPECT_FLOAT_EQ(Thickness(0, "thicknessmin"), 350.0f);
    EXPECT_FLOAT_EQ(Thickness(4800, "thicknessmin"), 550.0f);
    const float halfway = Thickness(2400, "thicknessmin");
    EXPECT_GT(halfway, 350.0f);
    EXPECT_LT(halfway, 550.0f);
    EXPECT_NE(parameters.Summary(0).find("thicknessmin=350 (animated)"), std::string::npos);
    parameters.ClearKeys("thicknessmin");
    EXPECT_FALSE(parameters.IsAnimated("thicknessmin"));
}

TEST_F(HostMaps, RejectionsNameTheDescriptorsRange) {
    MapParameters parameters(*map_);
    EXPECT_EQ(Rejection(parameters, "ninternal=0.1"),
              "ninternal=0.1 is out of range: ninternal takes 0.2 to 100");
    EXPECT_EQ(Rejection(parameters, "sat=101"), "sat=101 is out of range: sat takes -100 to 100");
    EXPECT_NE(Rejection(parameters, "output=1").find("output.NAME=VALUE"), std::string::npos);
    EXPECT_EQ(Rejection(parameters, "output.RGB_Level=-1"),
              "output.RGB_Level=-1 is out of range: output.RGB_Level takes 0 to 1000");
    EXPECT_EQ(Rejection(parameters, "sat=-100"), "");
}

TEST_F(HostMaps, OutputParametersReachTheMapsOutputObject) {
    maxhost::SimpleShadeContext context;
    Interval valid = FOREVER;
    map_->Update(0, valid);
    const AColor plain = map_->EvalColor(context);
    MapParameters parameters(*map_);
    parameters.Apply(ParameterAssignment::Parse("output.invert=true"));
    valid = FOREVER;
    map_->Update(0, valid);
    const AColor inverted = map_->EvalColor(context);
    EXPECT_NEAR(inverted.g, 1.0f - plain.g, 1e-6f);
    EXPECT_NE(parameters.Summary(0).find("output.invert=true"), std::string::npos);
}

TEST_F(HostMaps, BitmapThicknessMapFollowsTheUvsAndSurvivesASceneRoundTrip) {
    ScratchFolder folder;
    LinearImage image(2, 1);
    image.At(0, 0) = {0.0f, 0.0f, 0.0f};
    image.At(1, 0) = {1.0f, 1.0f, 1.0f};
    WritePng(folder.Path("two.png"), image, PixelEncoding::Linear, {});
    auto* bitmap = new BitmapThicknessMap(folder.Path("two.png"));
    maxhost::SimpleShadeContext context;
    context.uvw = Point3(0.25f, 0.5f, 0.0f);
    EXPECT_FLOAT_EQ(bitmap->EvalMono(context), 0.0f);
    context.uvw = Point3(0.75f, 0.5f, 0.0f);
    EXPECT_FLOAT_EQ(bitmap->EvalMono(context), 1.0f);

    map_->SetSubTexmap(0, bitmap);
    MapParameters(*map_).SetInteger("thicknessmapenabled", 1);
    SaveMapScene(folder.Path("map.nscn"), *map_);
    Texmap* loaded = LoadMapScene(folder.Path("map.nscn"));
    auto* loadedBitmap = dynamic_cast<BitmapThicknessMap*>(loaded->GetSubTexmap(0));
    ASSERT_NE(loadedBitmap, nullptr);
    EXPECT_EQ(loadedBitmap->Path(), bitmap->Path());
    Interval valid = FOREVER;
    map_->Update(0, valid);
    loaded->Update(0, valid);
    for (float u : {0.1f, 0.5f, 0.8f}) {
        context.uvw = Point3(u, 0.5f, 0.0f);
        const AColor a = map_->EvalColor(context);
        const AColor b = loaded->EvalColor(context);
        EXPECT_EQ(a.r, b.r);
        EXPECT_EQ(a.b, b.b);
    }
    ReleaseMap(loaded);

    std::filesystem::remove(folder.Path("two.png"));
    try {
        ReleaseMap(LoadMapScene(folder.Path("map.nscn")));
        ADD_FAILURE() << "a scene whose bitmap is gone loaded";
    } catch (const PreviewError& error) {
        EXPECT_NE(std::string(error.what()).find("two.png"), std::string::npos) << error.what();
    }
}

TEST_F(HostMaps, NoiseThicknessMapReadsTheObjectPoint) {
    NoiseThicknessMap noise;
    maxhost::SimpleShadeContext context;
    context.point = Point3(0.3f, -0.2f, 0.9f);
    const float here = noise.EvalMono(context);
    EXPECT_EQ(here, noise.ValueAt(context.point));
    context.uvw = Point3(0.9f, 0.9f, 0.0f); // the UVs play no part
    EXPECT_EQ(noise.EvalMono(context), here);
    context.point = Point3(-0.7f, 0.5f, 0.1f);
    EXPECT_NE(noise.EvalMono(context), here);
}
