#pragma once

#include "ParameterInfo.h"
#include "PreviewOptions.h"

#include <string>
#include <vector>

namespace preview {

// The table that --list prints: one line per parameter with its type, range and default.
std::string ListParameters(const std::vector<ParameterInfo>& parameters);

// The plug-in library to load: --plugin, else Nacreen.dlt beside the program, else the one
// built with it.
std::string PluginPath(const PreviewOptions& options);

} // namespace preview
