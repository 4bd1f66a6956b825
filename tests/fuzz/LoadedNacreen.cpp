#include "LoadedNacreen.h"

#include "HostMaps.h"
#include "Session.h"

namespace fuzz {

preview::NacreenSession& LoadedNacreen() {
    static preview::NacreenSession* session = [] {
        // Never unloaded: maps of the last input may still be in flight at exit.
        auto* loaded = new preview::NacreenSession(preview::PluginPath(""));
        preview::RegisterHostTexmapClasses();
        return loaded;
    }();
    return *session;
}

} // namespace fuzz
