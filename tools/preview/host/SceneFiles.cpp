#include "SceneFiles.h"

#include "NacreenIdentity.h"
#include "PendingFile.h"
#include "PreviewError.h"
#include "SceneLoadErrors.h"

#include <imtl.h>
#include <maxhost/SceneIO.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace preview {
namespace {

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    PendingFile pending(path);
    std::ofstream stream(pending.TemporaryPath(), std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    stream.close();
    if (!stream) {
        throw PreviewError("cannot write scene '" + path + "'");
    }
    pending.Commit();
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        throw PreviewError("cannot open scene '" + path + "'");
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(stream)),
                                     std::istreambuf_iterator<char>());
    if (stream.bad()) {
        throw PreviewError("cannot read scene '" + path + "'");
    }
    return bytes;
}

} // namespace

void SaveMapScene(const std::string& path, Texmap& map) {
    std::vector<unsigned char> bytes;
    std::string error;
    if (!maxhost::SaveSceneToBytes(&map, bytes, error)) {
        throw PreviewError("cannot save scene '" + path + "': " + error);
    }
    WriteBytes(path, bytes);
}

Texmap* LoadMapScene(const std::string& path) {
    return LoadMapSceneBytes(ReadBytes(path), path);
}

Texmap* LoadMapSceneBytes(const std::vector<unsigned char>& bytes, const std::string& path) {
    std::string error;
    TakeSceneLoadError();
    ReferenceTarget* root = maxhost::LoadSceneFromBytes(bytes, error);
    const std::string hostReason = TakeSceneLoadError();
    if (root == nullptr) {
        throw PreviewError("cannot load scene '" + path +
                           "': " + (hostReason.empty() ? error : hostReason));
    }
    if (!IsNacreenMap(*root)) {
        root->MaybeAutoDelete();
        throw PreviewError("cannot load scene '" + path + "': it holds no Nacreen map");
    }
    return static_cast<Texmap*>(root);
}

void ReleaseMap(Texmap* map) {
    if (map != nullptr) {
        map->MaybeAutoDelete();
    }
}

} // namespace preview
