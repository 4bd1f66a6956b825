#include "ChartMap.h"

#include "MapParameters.h"
#include "ThicknessRampMap.h"

#include <imtl.h>

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

} // namespace preview
