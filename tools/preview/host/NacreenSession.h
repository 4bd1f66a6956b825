#pragma once

#include <maxhost/PluginLibrary.h>

#include <string>

class ClassDesc;
class Texmap;

namespace preview {

// Nacreen.dlt loaded the way 3ds Max loads it, and the map class found in it by its class id.
class NacreenSession {
public:
    // Throws PreviewError with the loader's one-line reason when the library is refused or
    // holds no Nacreen class.
    explicit NacreenSession(const std::string& pluginPath);

    ClassDesc& Descriptor() { return *descriptor_; }

    // A new map through the class descriptor, as the material editor creates one.
    Texmap* CreateMap();

private:
    maxhost::PluginLibrary library_;
    ClassDesc* descriptor_ = nullptr;
};

} // namespace preview
