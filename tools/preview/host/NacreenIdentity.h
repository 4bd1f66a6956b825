#pragma once

#include <maxtypes.h>

class ReferenceTarget;

namespace preview {

// The class id the host knows Nacreen maps by, in scene files too.
const Class_ID& NacreenClassID();

// A texture map of the Nacreen class.
bool IsNacreenMap(ReferenceTarget& object);

} // namespace preview
