// Nacreen.dlt loaded the way 3ds Max loads it, and the maps a run works on: created through
// the class descriptor, or loaded from a scene file and held to the command line's rules.
#pragma once

#include <maxhost/PluginLibrary.h>

#include <memory>
#include <string>
#include <vector>

class ClassDesc;
class ReferenceTarget;
class Texmap;

namespace preview {

// The largest scene file the tool reads.
constexpr unsigned long long kMaxSceneBytes = 16ull << 20;

// The plug-in library to load: the one asked for, else Nacreen.dlt beside the program, else the
// one built with it.
std::string PluginPath(const std::string& requested);

class NacreenSession {
public:
    // Throws ToolError with the loader's one-line reason when the library is refused or holds
    // no Nacreen class.
    explicit NacreenSession(const std::string& pluginPath);

    ClassDesc& Descriptor() { return *descriptor_; }

    // A new map through the class descriptor, as the material editor creates one.
    Texmap* CreateMap();

private:
    maxhost::PluginLibrary library_;
    ClassDesc* descriptor_ = nullptr;
};

// A texture map of the Nacreen class.
bool IsNacreenMap(ReferenceTarget& object);

// Ends a map that nothing else references, with everything it alone references.
void ReleaseMap(Texmap* map);

struct MapReleaser {
    void operator()(Texmap* map) const { ReleaseMap(map); }
};
using MapHandle = std::unique_ptr<Texmap, MapReleaser>;

// The bytes of a scene file holding the map with everything it references: parameters and
// their keys, thickness map, output settings. Throws ToolError.
std::vector<unsigned char> SaveMapScene(Texmap& map);

// The map of a scene file: read only when it is a regular file no larger than kMaxSceneBytes,
// holding a Nacreen map as its root, every Nacreen map in it with values --set would accept.
// Throws ToolError with one line naming the file.
MapHandle LoadMapScene(const std::string& path);

// The same from the bytes of a scene file; `path` is the name the messages give.
MapHandle LoadMapSceneBytes(const std::vector<unsigned char>& bytes, const std::string& path);

} // namespace preview
