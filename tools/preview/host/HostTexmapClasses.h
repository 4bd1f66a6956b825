#pragma once

namespace preview {

// Registers the host's own texture maps (bitmap, noise, thickness ramp) with the host's class
// registry, so that scenes holding them save and load. Safe to call more than once.
void RegisterHostTexmapClasses();

} // namespace preview
