// Saving and loading a reference graph the way the host saves a scene: every object once, with
// its class identity, the chunks its own Save writes and which object each reference slot
// holds. Loading creates each object through its class descriptor's Create(TRUE), calls its
// Load and then restores its references. A missing, truncated or corrupt file gives null and a
// message, never a crash.
#pragma once

#include <string>
#include <vector>

#include "HostExport.h"

class ReferenceTarget;

namespace maxhost {

MAXHOST_API bool SaveSceneToBytes(ReferenceTarget* root, std::vector<unsigned char>& bytes,
                                  std::string& error);
// The loaded root is referenced by nothing; end it with MaybeAutoDelete or DeleteMe.
MAXHOST_API ReferenceTarget* LoadSceneFromBytes(const std::vector<unsigned char>& bytes,
                                                std::string& error);

MAXHOST_API bool SaveScene(const std::string& path, ReferenceTarget* root, std::string& error);
MAXHOST_API ReferenceTarget* LoadScene(const std::string& path, std::string& error);

} // namespace maxhost
