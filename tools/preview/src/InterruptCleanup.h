#pragma once

namespace preview {

// Makes Ctrl-C and termination remove the temporary file that is being written, so that an
// interrupted run leaves no half-written file behind. Installed once, at program start.
void InstallInterruptCleanup();

// The temporary file to remove on an interrupt; null when none is being written.
void SetInterruptCleanupPath(const char* path);

} // namespace preview
