// Host-side access to parameter blocks for tests and tools: read counters, animation keys and
// the animate mode.
#pragma once

#include <cstddef>
#include <cstdint>

#include "HostExport.h"
#include "iparamb2.h"

namespace maxhost {

// Number of value reads (GetValue and the Get* shortcuts) the block has served since the last
// reset; the counter is atomic and safe to read while render threads evaluate. A block counts
// from its first reset on, so that blocks nobody probes keep render threads off a shared counter.
MAXHOST_API std::uint64_t ParamBlockReads(IParamBlock2* pb);
MAXHOST_API void ResetParamBlockReads(IParamBlock2* pb);

// Sets (or moves) a key of an animatable float parameter; the parameter is animated from then
// on. False for other parameters.
MAXHOST_API bool SetKey(IParamBlock2* pb, ParamID id, TimeValue t, float value);
MAXHOST_API int NumKeys(IParamBlock2* pb, ParamID id);
// Removes the keys; the parameter keeps its value at time 0 as a constant.
MAXHOST_API bool ClearKeys(IParamBlock2* pb, ParamID id);

// With animate mode on, SetValue on an animatable float at a time other than 0 creates a key
// (and one at 0 holding the previous value, when the parameter was not animated yet).
MAXHOST_API void SetAnimateMode(bool on);
MAXHOST_API bool AnimateMode();

// A descriptor read from a tag list held as data (for hosts that drive the reader from bytes),
// checked as the C-variadic constructor checks its arguments; problems go to
// TakeDescriptorErrors. The caller deletes it.
MAXHOST_API ParamBlockDesc2* BuildParamBlockDesc(BlockID id, const MCHAR* intName,
                                                 StringResID localName, ClassDesc2* cd,
                                                 USHORT flags, const MaxStandin::DescArg* args,
                                                 std::size_t count);

} // namespace maxhost
