// nacreen-explorer-parameters PLUGIN OUTPUT.js: loads the plug-in as 3ds Max does and writes
// the explorer's parameter table from the map's own parameter block descriptor, so the page
// never keeps names, ranges, steps or defaults of its own.
#include "HostTexmapClasses.h"
#include "MapParameters.h"
#include "NacreenSession.h"
#include "ParameterScript.h"
#include "PendingFile.h"
#include "SceneFiles.h"

#include <imtl.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <stdexcept>

namespace {

struct MapReleaser {
    void operator()(Texmap* map) const { preview::ReleaseMap(map); }
};

std::string ScriptFor(const std::string& pluginPath) {
    preview::NacreenSession session(pluginPath);
    preview::RegisterHostTexmapClasses();
    std::unique_ptr<Texmap, MapReleaser> map(session.CreateMap());
    preview::MapParameters parameters(*map);
    return explorer::ParameterScript(parameters.Table());
}

// Written in full under a temporary name first, so a failed run leaves no half table behind.
void WriteText(const std::string& path, const std::string& text) {
    preview::PendingFile pending(path);
    std::FILE* file = std::fopen(pending.TemporaryPath().c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error(path + ": cannot be opened for writing");
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        throw std::runtime_error(path + ": could not be written");
    }
    pending.Commit();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: nacreen-explorer-parameters Nacreen.dlt OUTPUT.js\n");
        return 2;
    }
    try {
        WriteText(argv[2], ScriptFor(argv[1]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nacreen-explorer-parameters: %s\n", error.what());
        return 1;
    }
    return 0;
}
