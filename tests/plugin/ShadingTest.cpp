// Shading a sample through EvalColor, EvalMono and EvalNormalPerturb on a host shading
// context, checked against the shading core.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"
#include "TestSupport.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>

namespace nacreen_test {
namespace {

class Shading : public ::testing::Test {
protected:
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    maxhost::SimpleShadeContext sc; // viewing along the normal

    AColor Shade(TimeValue t = 0) {
        UpdateMap(map.get(), t);
        sc.time = t;
        return map->EvalColor(sc);
    }

    AColor Expected(float mapValue, const nacreen::FilmParams& params, float gamma = 1.0f) {
        return CoreColor(sc.view, sc.normal, mapValue, params, gamma);
    }

    ConstantMonoMap* AssignThicknessMap(float value, BOOL enabled) {
        ConstantMonoMap* sub = ConstantMonoMap::Create(value);
        map->SetSubTexmap(0, sub);
        pb->SetValue(kThicknessMapEnabled, 0, enabled);
        return sub;
    }
};

TEST_F(Shading, DefaultMapGivesTheCoreColourOfA250nmFilm) {
    const AColor c = Shade();
    EXPECT_NEAR(c.r, 0.0361f, 5e-4f);
    EXPECT_NEAR(c.g, 0.1469f, 5e-4f);
    EXPECT_NEAR(c.b, 0.1403f, 5e-4f);
    EXPECT_EQ(c.a, 1.0f);
    EXPECT_TRUE(SameColor(Expected(0.0f, DefaultFilmParams()), c));
}

// The host updates a map before it shades it; one shaded earlier still gets the default film.
TEST_F(Shading, BeforeItsFirstUpdateAMapShadesWithTheDefaults) {
    EXPECT_TRUE(SameColor(Expected(0.0f, DefaultFilmParams()), map->EvalColor(sc)));
    pb->SetValue(kThicknessMax, 0, 600.0f);
    EXPECT_TRUE(SameColor(Expected(0.0f, DefaultFilmParams()), map->EvalColor(sc)));
}

TEST_F(Shading, MonoIsTheMeanOfTheFilteredColour) {
    const AColor c = Shade();
    const float mono = map->EvalMono(sc);
    EXPECT_EQ(mono, ((c.r + c.g) + c.b) / 3.0f);
    EXPECT_NEAR(mono, 0.1078f, 5e-4f);
}

TEST_F(Shading, BackFacesShadeLikeFrontFaces) {
    const AColor front = Shade();
    sc.normal = Point3(0.0f, 0.0f, -1.0f);
    EXPECT_TRUE(SameColor(front, map->EvalColor(sc)));
    sc.view = Point3(0.6f, 0.0f, -0.8f);
    const AColor oblique = map->EvalColor(sc);
    sc.normal = Point3(0.0f, 0.0f, 1.0f);
    EXPECT_TRUE(SameColor(oblique, map->EvalColor(sc)));
}

TEST_F(Shading, SwitchOffNeverEvaluatesAnAssignedThicknessMap) {
    ConstantMonoMap* sub = AssignThicknessMap(1.0f, FALSE);
    EXPECT_TRUE(SameColor(Expected(0.0f, DefaultFilmParams()), Shade()));
    map->EvalMono(sc);
    EXPECT_EQ(sub->evalMonoCalls.load(), 0);
}

TEST_F(Shading, SwitchOnWithoutAThicknessMapUsesTheThicknessAtZero) {
    pb->SetValue(kThicknessMapEnabled, 0, TRUE);
    EXPECT_TRUE(SameColor(Expected(0.0f, DefaultFilmParams()), Shade()));
}

TEST_F(Shading, ThicknessMapValueInterpolatesBetweenTheTwoRows) {
    ConstantMonoMap* sub = AssignThicknessMap(1.0f, TRUE);
    EXPECT_TRUE(SameColor(Expected(1.0f, DefaultFilmParams()), Shade()));
    EXPECT_EQ(sub->evalMonoCalls.load(), 1);
    sub->value = 0.25f;
    EXPECT_TRUE(SameColor(Expected(0.25f, DefaultFilmParams()), map->EvalColor(sc)));
}

TEST_F(Shading, ThicknessMapValueIsUsedUnclamped) {
    AssignThicknessMap(1.5f, TRUE);
    // 1.5 × 350 − 0.5 × 250 = 400 nm.
    nacreen::FilmParams at400 = DefaultFilmParams();
    at400.thicknessAtZero = 400.0f;
    const AColor c = Shade();
    EXPECT_TRUE(SameColor(Expected(1.5f, DefaultFilmParams()), c));
    const AColor direct = Expected(0.0f, at400);
    EXPECT_NEAR(c.r, direct.r, 1e-6f);
    EXPECT_NEAR(c.g, direct.g, 1e-6f);
    EXPECT_NEAR(c.b, direct.b, 1e-6f);
}

TEST_F(Shading, ThicknessmaxIsTheThicknessAtMapValueZero) {
    pb->SetValue(kThicknessMax, 0, 480.0f);
    nacreen::FilmParams params = DefaultFilmParams();
    params.thicknessAtZero = 480.0f;
    EXPECT_TRUE(SameColor(Expected(0.0f, params), Shade()));

    // The thickness at map value 1 stays at its default.
    AssignThicknessMap(1.0f, TRUE);
    EXPECT_TRUE(SameColor(Expected(1.0f, params), Shade()));
}

TEST_F(Shading, ThicknessminIsTheThicknessAtMapValueOne) {
    AssignThicknessMap(1.0f, TRUE);
    pb->SetValue(kThicknessMin, 0, 620.0f);
    nacreen::FilmParams params = DefaultFilmParams();
    params.thicknessAtOne = 620.0f;
    EXPECT_TRUE(SameColor(Expected(1.0f, params), Shade()));
    static_cast<ConstantMonoMap*>(map->GetSubTexmap(0))->value = 0.0f;
    EXPECT_TRUE(SameColor(Expected(0.0f, DefaultFilmParams()), map->EvalColor(sc)));
}

TEST_F(Shading, EveryCachedParameterReachesTheCore) {
    pb->SetValue(kNMedium, 0, 1.2f);
    pb->SetValue(kNFilm, 0, 2.1f);
    pb->SetValue(kNInternal, 0, 0.6f);
    pb->SetValue(kHue, 0, -75.5f);
    pb->SetValue(kSat, 0, 35.0f);
    pb->SetValue(kGamma, 0, 0.45f);
    nacreen::FilmParams params = DefaultFilmParams();
    params.nMedium = 1.2f;
    params.nFilm = 2.1f;
    params.nInternal = 0.6f;
    params.hueShift = -75.5f;
    params.saturationShift = 35.0f;
    sc.view = Point3(0.0f, 0.6f, -0.8f);
    EXPECT_TRUE(SameColor(Expected(0.0f, params, 0.45f), Shade()));
}

TEST_F(Shading, AnimatedParametersAreReadAtTheUpdateTime) {
    maxhost::SetKey(pb, kNFilm, 0, 1.5f);
    maxhost::SetKey(pb, kNFilm, 4800, 2.5f);
    nacreen::FilmParams params = DefaultFilmParams();
    params.nFilm = pb->GetFloat(kNFilm, 2400);
    EXPECT_TRUE(SameColor(Expected(0.0f, params), Shade(2400)));
}

TEST_F(Shading, AnimatedGammaKeepsItsTimeZeroValueAtEveryFrame) {
    maxhost::SetKey(pb, kGamma, 0, 1.0f);
    maxhost::SetKey(pb, kGamma, 4800, 3.0f);
    const AColor atZero = Shade(0);
    for (TimeValue t : {160, 2400, 4800, 9600}) {
        EXPECT_TRUE(SameColor(atZero, Shade(t))) << "at " << t;
    }
    maxhost::SetKey(pb, kGamma, 0, 2.0f);
    EXPECT_TRUE(SameColor(Expected(0.0f, DefaultFilmParams(), 2.0f), Shade(4800)));
}

TEST_F(Shading, TheOutputObjectFiltersTheResult) {
    auto* output = static_cast<TextureOutput*>(map->GetReference(kOutputRef));
    output->SetOutputLevel(0, 2.0f);
    const AColor c = Shade();
    EXPECT_TRUE(SameColor(output->Filter(Expected(0.0f, DefaultFilmParams())), c));
    EXPECT_EQ(map->EvalMono(sc), ((c.r + c.g) + c.b) / 3.0f);
}

TEST_F(Shading, PerturbsNoNormals) {
    UpdateMap(map.get());
    for (const Point3& n :
         {Point3(0.0f, 0.0f, 1.0f), Point3(0.0f, 0.0f, -1.0f), Point3(0.6f, 0.0f, 0.8f)}) {
        sc.normal = n;
        const Point3 p = map->EvalNormalPerturb(sc);
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.y, 0.0f);
        EXPECT_EQ(p.z, 0.0f);
    }
}

TEST_F(Shading, HandsOverANonZeroGBufferIdFromEveryEvaluation) {
    UpdateMap(map.get());
    sc.out.gbufId = 99;
    map->EvalColor(sc);
    map->EvalMono(sc);
    map->EvalNormalPerturb(sc);
    EXPECT_EQ(sc.GBufferID(), 99) << "an id of 0 is not handed over";

    map->SetGBufID(5);
    sc.out.gbufId = 0;
    map->EvalColor(sc);
    EXPECT_EQ(sc.GBufferID(), 5);
    sc.out.gbufId = 0;
    map->EvalMono(sc);
    EXPECT_EQ(sc.GBufferID(), 5);
    sc.out.gbufId = 0;
    map->EvalNormalPerturb(sc);
    EXPECT_EQ(sc.GBufferID(), 5);
}

} // namespace
} // namespace nacreen_test
