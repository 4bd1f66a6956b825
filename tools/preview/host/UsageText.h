#pragma once

namespace preview {

// The text of --help.
const char* UsageText();

} // namespace preview
