#include "TestSupport.h"

#include "shading/ShadeFilm.h"

namespace nacreen_test {

namespace {

// Reaches the protected notification through a pointer to member named via a derived class;
// the call itself still dispatches virtually to the map.
struct RefMessageAccess : ReferenceMaker {
    using Notify = RefResult (ReferenceMaker::*)(const Interval&, RefTargetHandle, PartID&,
                                                 RefMessage, BOOL);
    static Notify Member() { return &RefMessageAccess::NotifyRefChanged; }
};

} // namespace

nacreen::FilmParams DefaultFilmParams() {
    nacreen::FilmParams params{};
    params.nMedium = 1.0f;
    params.nFilm = 1.5f;
    params.nInternal = 1.0f;
    params.thicknessAtZero = 250.0f;
    params.thicknessAtOne = 350.0f;
    params.hueShift = 0.0f;
    params.saturationShift = 0.0f;
    return params;
}

AColor CoreColor(const Point3& view, const Point3& normal, float mapValue,
                 const nacreen::FilmParams& params, float gamma) {
    const nacreen::Color4 c =
        nacreen::ShadeFilm(nacreen::Vec3{view.x, view.y, view.z},
                           nacreen::Vec3{normal.x, normal.y, normal.z}, mapValue, params, gamma);
    return AColor(c.r, c.g, c.b, c.a);
}

::testing::AssertionResult SameColor(const AColor& expected, const AColor& actual) {
    if (expected.r == actual.r && expected.g == actual.g && expected.b == actual.b &&
        expected.a == actual.a) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "expected (" << expected.r << ", " << expected.g << ", " << expected.b << ", "
           << expected.a << "), got (" << actual.r << ", " << actual.g << ", " << actual.b << ", "
           << actual.a << ")";
}

RefResult SendRefMessage(ReferenceMaker* maker, RefTargetHandle from, RefMessage message) {
    PartID part = PART_ALL;
    return (maker->*RefMessageAccess::Member())(FOREVER, from, part, message, TRUE);
}

void UpdateMap(Texmap* map, TimeValue t) {
    Interval valid = FOREVER;
    map->Update(t, valid);
}

} // namespace nacreen_test
