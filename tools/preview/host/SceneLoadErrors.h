#pragma once

#include <string>

namespace preview {

// Why the last host object refused to load; the scene loader's result code alone cannot say.
// Scenes load on one thread, so one slot is enough.
void RecordSceneLoadError(const std::string& reason);
// Returns the recorded reason, or "" when none, and clears it.
std::string TakeSceneLoadError();

} // namespace preview
