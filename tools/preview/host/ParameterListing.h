#pragma once

#include "ParameterInfo.h"
#include "PreviewOptions.h"

#include <string>
#include <vector>

namespace preview {

// A table that --list prints: a title, then one line per parameter with its type, range and
// default.
std::string ListParameters(const std::string& title, const std::vector<ParameterInfo>& parameters);

// The plug-in library to load: --plugin, else Nacreen.dlt beside the program, else the one
// built with it.
std::string PluginPath(const PreviewOptions& options);

} // namespace preview
