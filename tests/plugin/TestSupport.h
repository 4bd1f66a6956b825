// Small helpers shared by the map tests.
#pragma once

#include <max.h>
#include <imtl.h>
#include <iparamb2.h>

#include "shading/FilmParams.h"

#include <gtest/gtest.h>

namespace nacreen_test {

// The snapshot a map with default parameters caches.
nacreen::FilmParams DefaultFilmParams();

// The colour the shading core gives for one sample, as an AColor.
AColor CoreColor(const Point3& view, const Point3& normal, float mapValue,
                 const nacreen::FilmParams& params, float gamma);

// Colours that must be the same bits (no tolerance).
::testing::AssertionResult SameColor(const AColor& expected, const AColor& actual);

// Sends `message` to `maker` as if `from` had changed, and returns the maker's answer. The
// operation is protected in the SDK; the host calls it from the reference system.
RefResult SendRefMessage(ReferenceMaker* maker, RefTargetHandle from, RefMessage message);

// Brings `map` up to date for time `t`, as the host does before it evaluates a map.
void UpdateMap(Texmap* map, TimeValue t = 0);

} // namespace nacreen_test
