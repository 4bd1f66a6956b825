#pragma once

#include "ParameterInfo.h"

#include <vector>

class ParamBlockDesc2;

namespace preview {

// The parameters of a block as its descriptor declares them, in id order: names, types,
// ranges, defaults and whether they animate. The tool keeps no table of its own.
std::vector<ParameterInfo> ReadParameterTable(ParamBlockDesc2& descriptor);

} // namespace preview
