#pragma once

#include <string>
#include <vector>

class Texmap;

namespace preview {

// Writes the map with everything it references (parameters and their keys, thickness map,
// output settings) through the host's scene I/O, atomically. Throws PreviewError.
void SaveMapScene(const std::string& path, Texmap& map);

// Loads a scene saved by SaveMapScene and returns its map, owned by the caller (end it with
// ReleaseMap). Throws PreviewError with one line for a missing, truncated or corrupt file or
// one that holds something other than a Nacreen map.
Texmap* LoadMapScene(const std::string& path);

// The same from the bytes of a scene file; `path` is the name the messages give.
Texmap* LoadMapSceneBytes(const std::vector<unsigned char>& bytes, const std::string& path);

// Ends a map that nothing else references, with everything it alone references.
void ReleaseMap(Texmap* map);

} // namespace preview
