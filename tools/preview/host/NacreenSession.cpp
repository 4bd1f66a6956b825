#include "NacreenSession.h"

#include "NacreenIdentity.h"
#include "PreviewError.h"

#include <imtl.h>
#include <max.h>
#include <plugapi.h>

namespace preview {
namespace {

bool IsNacreenClass(ClassDesc& descriptor) {
    return descriptor.SuperClassID() == TEXMAP_CLASS_ID && descriptor.ClassID() == NacreenClassID();
}

} // namespace

NacreenSession::NacreenSession(const std::string& pluginPath) {
    std::string error;
    if (!library_.Load(pluginPath, error)) {
        throw PreviewError(error);
    }
    for (ClassDesc* descriptor : library_.ClassDescs()) {
        if (descriptor != nullptr && IsNacreenClass(*descriptor)) {
            descriptor_ = descriptor;
        }
    }
    if (descriptor_ == nullptr) {
        throw PreviewError("plug-in library " + pluginPath + " has no Nacreen texture map class");
    }
}

Texmap* NacreenSession::CreateMap() {
    auto* map = static_cast<Texmap*>(descriptor_->Create(FALSE));
    if (map == nullptr) {
        throw PreviewError("the Nacreen class descriptor created no map");
    }
    return map;
}

} // namespace preview
