// The classes the host can create by identity: loaded plug-in descriptors, host texture maps of
// the tools, and the stand-in's own classes (parameter block, standard texture output), which
// are always present.
#pragma once

#include <vector>

#include "HostExport.h"
#include "plugapi.h"

class ReferenceTarget;

namespace maxhost {

// Adding a descriptor that is already registered does nothing.
MAXHOST_API void RegisterClassDesc(ClassDesc* cd);
MAXHOST_API void UnregisterClassDesc(ClassDesc* cd);
MAXHOST_API ClassDesc* FindClassDesc(SClass_ID sclass, const Class_ID& cid);
MAXHOST_API std::vector<ClassDesc*> RegisteredClassDescs();

// Creates an object of the class through its descriptor's Create(loading); null when the class
// is unknown or creation fails.
MAXHOST_API ReferenceTarget* CreateInstance(SClass_ID sclass, const Class_ID& cid,
                                            bool loading = false);

// Identity of the stand-in's standard texture output class.
MAXHOST_API Class_ID StandardTextureOutputClassID();

} // namespace maxhost
