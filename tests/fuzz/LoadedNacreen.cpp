#include "LoadedNacreen.h"

#include "HostTexmapClasses.h"
#include "NacreenSession.h"
#include "ParameterListing.h"
#include "PreviewOptions.h"

namespace fuzz {

preview::NacreenSession& LoadedNacreen() {
    static preview::NacreenSession* session = [] {
        // Never unloaded: maps of the last input may still be in flight at exit.
        auto* loaded = new preview::NacreenSession(preview::PluginPath(preview::PreviewOptions{}));
        preview::RegisterHostTexmapClasses();
        return loaded;
    }();
    return *session;
}

} // namespace fuzz
