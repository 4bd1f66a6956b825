// The classes the host can create by identity: loaded plug-in descriptors, host texture maps of
// the tools, and the stand-in's own classes (parameter block, standard texture output), which
// are always present. The directory itself belongs to the stand-in SDK, where a parameter block
// being loaded looks up its descriptor's class.
#pragma once

#include <vector>

#include "HostExport.h"
#include "plugapi.h"

namespace maxhost {

// Adding a descriptor that is already registered does nothing.
MAXHOST_API void RegisterClassDesc(ClassDesc* cd);
MAXHOST_API void UnregisterClassDesc(ClassDesc* cd);
MAXHOST_API ClassDesc* FindClassDesc(SClass_ID sclass, const Class_ID& cid);
MAXHOST_API std::vector<ClassDesc*> RegisteredClassDescs();

// Identity of the stand-in's standard texture output class.
MAXHOST_API Class_ID StandardTextureOutputClassID();

} // namespace maxhost
