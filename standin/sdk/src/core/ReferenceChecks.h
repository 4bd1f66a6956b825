// The host's checks of a plug-in's reference handling, for the host's own operations.
#pragma once

#include "ref.h"

namespace MaxStandin {

// Notes that BaseClone ran for (from, to) within the cloning operation of remap.
void NoteBaseClone(RemapDir& remap, ReferenceTarget* from, ReferenceTarget* to);

} // namespace MaxStandin
