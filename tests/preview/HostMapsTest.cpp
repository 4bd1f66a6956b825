// The host side in-process: the parameter table read from the plug-in's descriptor, parameters
// and keys set by scripting name, scenes whose values --set would refuse, and the host's
// thickness maps inside a Nacreen map.
#include "HostMaps.h"
#include "Parameters.h"
#include "PngReadBack.h"
#include "ScratchFolder.h"
#include "Session.h"
#include "imaging/Png.h"
#include "imaging/Tool.h"

#include <imtl.h>
#include <iparamb2.h>
#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

using namespace preview;
using imaging::UsageError;

namespace {

class HostMaps : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterHostTexmapClasses();
        map_ = session_.CreateMap();
    }
    void TearDown() override { ReleaseMap(map_); }

    // The map saved and loaded again: the message of the refusal, or "" when it loads.
    std::string LoadRefusal(Texmap& map) {
        try {
            LoadMapSceneBytes(SaveMapScene(map), "crafted.nscn");
        } catch (const imaging::ToolError& error) {
            return error.what();
        }
        return "";
    }

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
    EXPECT_EQ(maxhost::NumKeys(&parameters.Block(), 1), 2);
    EXPECT_EQ(maxhost::NumKeys(&parameters.Block(), 0), 0);
    EXPECT_FLOAT_EQ(Thickness(0, "thicknessmin"), 350.0f);
    EXPECT_FLOAT_EQ(Thickness(4800, "thicknessmin"), 550.0f);
    const float halfway = Thickness(2400, "thicknessmin");
    EXPECT_GT(halfway, 350.0f);
    EXPECT_LT(halfway, 550.0f);
    EXPECT_NE(parameters.Summary(0).find("thicknessmin=350 (animated)"), std::string::npos);
    parameters.ClearKeys("thicknessmin");
    EXPECT_EQ(maxhost::NumKeys(&parameters.Block(), 1), 0);
}

TEST_F(HostMaps, RejectionsNameTheDescriptorsRange) {
    MapParameters parameters(*map_);
    EXPECT_EQ(Rejection(parameters, "ninternal=0.1"),
              "ninternal=0.1 is out of range: ninternal takes 0.2 to 100");
    EXPECT_EQ(Rejection(parameters, "sat=101"), "sat=101 is out of range: sat takes -100 to 100");
    EXPECT_NE(Rejection(parameters, "output=1").find("output.NAME=VALUE"), std::string::npos);
    EXPECT_EQ(Rejection(parameters, "OUTPUT.rgb_level=-1"),
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
    imaging::LinearImage image(2, 1);
    image.At(1, 0) = {1.0f, 1.0f, 1.0f};
    const std::vector<std::uint8_t> png =
        imaging::EncodePng(image, imaging::PixelEncoding::Linear, {});
    std::ofstream(folder.Path("two.png"), std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    auto* bitmap = new BitmapThicknessMap(folder.Path("two.png"));
    maxhost::SimpleShadeContext context;
    // Pixel centres exactly, u repeating across the seam, v holding at the edges.
    for (const auto& [u, v, expected] : {std::tuple{0.25f, 0.5f, 0.0f},
                                         {0.75f, 0.5f, 1.0f},
                                         {1.0f, 0.5f, 0.5f},
                                         {-0.75f, 0.5f, 0.0f},
                                         {0.75f, -5.0f, 1.0f}}) {
        context.uvw = Point3(u, v, 0.0f);
        EXPECT_FLOAT_EQ(bitmap->EvalMono(context), expected) << u << ", " << v;
    }

    map_->SetSubTexmap(0, bitmap);
    MapParameters(*map_).SetInteger("thicknessmapenabled", 1);
    const std::vector<unsigned char> scene = SaveMapScene(*map_);
    MapHandle loaded = LoadMapSceneBytes(scene, "map.nscn");
    auto* loadedBitmap = dynamic_cast<BitmapThicknessMap*>(loaded->GetSubTexmap(0));
    ASSERT_NE(loadedBitmap, nullptr);
    EXPECT_EQ(loadedBitmap->Path(), bitmap->Path());
    EXPECT_EQ(ThicknessMapFiles(*loaded), std::vector<std::string>{bitmap->Path()});
    Interval valid = FOREVER;
    map_->Update(0, valid);
    loaded->Update(0, valid);
    for (float u : {0.1f, 0.5f, 0.8f}) {
        context.uvw = Point3(u, 0.5f, 0.0f);
        EXPECT_EQ(map_->EvalColor(context).r, loaded->EvalColor(context).r);
    }
    loaded.reset();

    // A 16-bit grey map, as a paint program saves one, reads to its stored values.
    WriteGrey16Png(folder.Path("two.png"), 2, 1, {32768, 65535});
    context.uvw = Point3(0.25f, 0.5f, 0.0f);
    EXPECT_FLOAT_EQ(BitmapThicknessMap(folder.Path("two.png")).EvalMono(context),
                    32768.0f / 65535.0f);

    std::filesystem::remove(folder.Path("two.png"));
    try {
        LoadMapSceneBytes(scene, "map.nscn");
        ADD_FAILURE() << "a scene whose bitmap is gone loaded";
    } catch (const imaging::ToolError& error) {
        EXPECT_NE(std::string(error.what()).find("two.png"), std::string::npos) << error.what();
    }
}

// A scene file's values reach the map without --set's checks: they are held to the same rules,
// the keys and the output's values too, in every Nacreen map of the scene.
TEST_F(HostMaps, ValuesFromSceneFilesAreHeldToTheCommandLinesRules) {
    EXPECT_EQ(LoadRefusal(*map_), "");
    // A new map spoilt as a crafted file could hold it: the message its scene is refused with.
    const auto refusal = [&](const std::function<void(Texmap&, IParamBlock2&)>& spoil) {
        MapHandle map(session_.CreateMap());
        spoil(*map, MapParameters(*map).Block());
        return LoadRefusal(*map);
    };
    const std::string scene = "cannot load scene 'crafted.nscn': ";
    EXPECT_EQ(refusal([](Texmap&, IParamBlock2& b) { b.SetValue(3, 0, std::nanf("")); }),
              scene + "nfilm=nan is not a number: nfilm takes 0.2 to 100");
    EXPECT_EQ(refusal([](Texmap&, IParamBlock2& b) { b.SetValue(7, 0, 25.0f); }),
              scene + "gamma=25 is out of range: gamma takes 0.05 to 20");
    EXPECT_EQ(refusal([](Texmap&, IParamBlock2& b) {
                  maxhost::SetKey(&b, 0, 0, 100.0f);
                  maxhost::SetKey(&b, 0, 4800, 5000.0f);
              }),
              scene + "thicknessmax@4800=5000 is out of range: thicknessmax takes 0 to 3000");
    EXPECT_EQ(refusal([](Texmap&, IParamBlock2& b) { maxhost::SetKey(&b, 8, INT_MAX, 10.0f); }),
              scene + "hue@2147483647=10: a key cannot sit at 2147483647 ticks");
    EXPECT_EQ(refusal([](Texmap& map, IParamBlock2&) {
                  MapParameters(map).Output()->SetFloat("output.RGB_Level", INFINITY);
              }),
              scene + "output.RGB_Level=inf is not a number: output.RGB_Level takes 0 to 1000");
    EXPECT_EQ(refusal([&](Texmap& map, IParamBlock2&) {
                  Texmap* inner = session_.CreateMap();
                  MapParameters(*inner).Block().SetValue(9, 0, -101.0f);
                  map.SetSubTexmap(0, inner);
              }),
              scene + "sat=-101 is out of range: sat takes -100 to 100");
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
