#pragma once

#include <cstdio>

namespace preview {

// The whole program: parses the command line, loads the plug-in, builds or loads the map,
// renders and writes. Messages go to `out` and one-line errors to `err`. Returns the exit
// status: 0 success, 1 failure, 2 usage error.
int RunPreview(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

} // namespace preview
