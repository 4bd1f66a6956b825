// The host's registry of creatable classes, kept in the stand-in SDK's class directory.
#include "maxhost/ClassRegistry.h"

#include "HostAccess.h"

namespace maxhost {

void RegisterClassDesc(ClassDesc* cd) {
    MaxStandin::HostAccess::AddClass(cd);
}

void UnregisterClassDesc(ClassDesc* cd) {
    MaxStandin::HostAccess::RemoveClass(cd);
}

std::vector<ClassDesc*> RegisteredClassDescs() {
    return MaxStandin::HostAccess::Classes();
}

ClassDesc* FindClassDesc(SClass_ID sclass, const Class_ID& cid) {
    return MaxStandin::HostAccess::FindClass(sclass, cid);
}

Class_ID StandardTextureOutputClassID() {
    return MaxStandin::HostAccess::StandardTextureOutputClassID();
}

} // namespace maxhost
