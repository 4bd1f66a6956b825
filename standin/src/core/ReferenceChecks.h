// The host's checks of a plug-in's reference handling, for the host's own operations.
#pragma once

#include "ref.h"

namespace MaxStandin {

// Reports each slot of maker whose GetReference differs from what the reference system
// installed in it.
void CheckReferenceSlots(ReferenceMaker* maker);

// Notes that BaseClone ran for (from, to) within the cloning operation of remap.
void NoteBaseClone(RemapDir& remap, ReferenceTarget* from, ReferenceTarget* to);

} // namespace MaxStandin
