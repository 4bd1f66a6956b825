#include "NacreenIdentity.h"

#include <plugapi.h>
#include <ref.h>

namespace preview {

const Class_ID& NacreenClassID() {
    static const Class_ID id(0x53E2B189, 0x7502736B);
    return id;
}

bool IsNacreenMap(ReferenceTarget& object) {
    return object.SuperClassID() == TEXMAP_CLASS_ID && object.ClassID() == NacreenClassID();
}

} // namespace preview
