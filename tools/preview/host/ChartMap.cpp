#include "ChartMap.h"

#include "MapParameters.h"
#include "ThicknessRampMap.h"

#include <imtl.h>
#include <iparamb2.h>

namespace preview {

void PrepareChartMap(Texmap& map, MapParameters& parameters, float maxThickness) {
    // thicknessmax is the thickness at map value 0 and thicknessmin the one at value 1.
    parameters.ClearKeys("thicknessmax");
    parameters.ClearKeys("thicknessmin");
    parameters.SetFloat("thicknessmax", 0.0f);
    parameters.SetFloat("thicknessmin", maxThickness);
    parameters.SetInteger("thicknessmapenabled", 1);
    map.SetSubTexmap(0, new ThicknessRampMap());
}

std::vector<float> FilmThicknesses(Texmap& map, MapParameters& parameters, TimeValue t) {
    IParamBlock2& block = parameters.Block();
    const auto id = [&](const char* name) { return FindParameter(parameters.Table(), name).id; };
    std::vector<float> thicknesses{block.GetFloat(id("thicknessmax"), t)};
    if (block.GetInt(id("thicknessmapenabled"), t) != 0 && map.GetSubTexmap(0) != nullptr) {
        thicknesses.push_back(block.GetFloat(id("thicknessmin"), t));
    }
    return thicknesses;
}

} // namespace preview
