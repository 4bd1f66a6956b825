#pragma once

#include "ParameterInfo.h"

#include <string>
#include <vector>

namespace explorer {

// The page's parameter table as a JavaScript file: one entry per parameter of the map's block,
// with its scripting name, kind, range, spinner step and default, in id order. Float values are
// written with the fewest digits that give back the same single-precision number.
std::string ParameterScript(const std::vector<preview::ParameterInfo>& parameters);

// "0.01", "250", "0.2": the fewest decimals that read back as this float.
std::string ShortestFloatText(float value);

} // namespace explorer
