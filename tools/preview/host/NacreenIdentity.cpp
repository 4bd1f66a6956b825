#include "NacreenIdentity.h"

#include "plugin/NacreenClassId.h"

#include <plugapi.h>
#include <ref.h>

namespace preview {

const Class_ID& NacreenClassID() {
    static const Class_ID id = NACREEN_CLASS_ID;
    return id;
}

bool IsNacreenMap(ReferenceTarget& object) {
    return object.SuperClassID() == TEXMAP_CLASS_ID && object.ClassID() == NacreenClassID();
}

} // namespace preview
