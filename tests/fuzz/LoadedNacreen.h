// The plug-in loaded once per fuzzing process, as nacreen-preview loads it, with the host's own
// texture-map classes registered so that scenes holding them load.
#pragma once

namespace preview {
class NacreenSession;
}

namespace fuzz {

preview::NacreenSession& LoadedNacreen();

} // namespace fuzz
