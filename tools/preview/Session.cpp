#include "Session.h"

#include "HostMaps.h"
#include "Parameters.h"
#include "imaging/Files.h"
#include "imaging/Tool.h"
#include "NacreenClassId.h"

#include <imtl.h>
#include <max.h>
#include <maxhost/SceneFiles.h>
#include <plugapi.h>

#include <filesystem>

#ifndef NACREEN_PLUGIN_PATH
#define NACREEN_PLUGIN_PATH "Nacreen.dlt"
#endif

namespace preview {
namespace {

using imaging::ToolError;

const Class_ID kNacreenClassID = NACREEN_CLASS_ID;

bool IsNacreenClass(ClassDesc& descriptor) {
    return descriptor.SuperClassID() == TEXMAP_CLASS_ID && descriptor.ClassID() == kNacreenClassID;
}

std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

// Holds every Nacreen map of the tree to the command line's rules.
void CheckLoadedValues(Texmap& map) {
    std::vector<Texmap*> maps{&map};
    while (!maps.empty()) {
        Texmap* next = maps.back();
        maps.pop_back();
        if (IsNacreenMap(*next)) {
            MapParameters(*next).CheckValues();
        }
        for (int i = 0; i < next->NumSubTexmaps(); ++i) {
            if (Texmap* sub = next->GetSubTexmap(i)) {
                maps.push_back(sub);
            }
        }
    }
}

} // namespace

std::string PluginPath(const std::string& requested) {
    if (!requested.empty()) {
        return requested;
    }
    const std::filesystem::path beside = std::filesystem::path(ExecutableFolder()) / "Nacreen.dlt";
    std::error_code error;
    if (!ExecutableFolder().empty() && std::filesystem::exists(beside, error)) {
        return beside.string();
    }
    return NACREEN_PLUGIN_PATH;
}

NacreenSession::NacreenSession(const std::string& pluginPath) {
    std::string error;
    if (!library_.Load(pluginPath, error)) {
        throw imaging::ToolError(error);
    }
    for (ClassDesc* descriptor : library_.ClassDescs()) {
        if (descriptor != nullptr && IsNacreenClass(*descriptor)) {
            descriptor_ = descriptor;
        }
    }
    if (descriptor_ == nullptr) {
        throw imaging::ToolError("plug-in library " + pluginPath +
                                 " has no Nacreen texture map class");
    }
}

Texmap* NacreenSession::CreateMap() {
    auto* map = static_cast<Texmap*>(descriptor_->Create(FALSE));
    if (map == nullptr) {
        throw imaging::ToolError("the Nacreen class descriptor created no map");
    }
    return map;
}

bool IsNacreenMap(ReferenceTarget& object) {
    return object.SuperClassID() == TEXMAP_CLASS_ID && object.ClassID() == kNacreenClassID;
}

void ReleaseMap(Texmap* map) {
    if (map != nullptr) {
        map->MaybeAutoDelete();
    }
}

std::vector<unsigned char> SaveMapScene(Texmap& map) {
    std::vector<unsigned char> bytes;
    std::string error;
    if (!maxhost::SaveSceneToBytes(&map, bytes, error)) {
        throw ToolError("cannot save the scene: " + error);
    }
    return bytes;
}

MapHandle LoadMapScene(const std::string& path) {
    return LoadMapSceneBytes(imaging::InputFile(path, kMaxSceneBytes, "scene file").ReadAll(),
                             path);
}

MapHandle LoadMapSceneBytes(const std::vector<unsigned char>& bytes, const std::string& path) {
    std::string error;
    ReferenceTarget* root = maxhost::LoadSceneFromBytes(bytes, error);
    const std::string cannot = "cannot load scene '" + path + "': ";
    if (root == nullptr) {
        throw ToolError(cannot + error);
    }
    if (!IsNacreenMap(*root)) {
        root->MaybeAutoDelete();
        throw ToolError(cannot + "it holds no Nacreen map");
    }
    MapHandle map(static_cast<Texmap*>(root));
    try {
        CheckLoadedValues(*map);
    } catch (const imaging::UsageError& refused) {
        throw ToolError(cannot + refused.what());
    }
    return map;
}

} // namespace preview
