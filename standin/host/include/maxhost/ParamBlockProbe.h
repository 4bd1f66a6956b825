// Host-side access to parameter blocks for tests and tools: read counters, animation keys and
// the animate mode. The stand-in SDK keeps this state, so these are its functions under the
// host's names.
#pragma once

#include "HostAccess.h"

namespace maxhost {

// Number of value reads (GetValue and the Get* shortcuts) the block has served since the last
// reset; the counter is atomic and safe to read while render threads evaluate. A block counts
// from its first reset on, so that blocks nobody probes keep render threads off a shared counter.
using MaxStandin::HostAccess::ParamBlockReads;
using MaxStandin::HostAccess::ResetParamBlockReads;

// Sets (or moves) a key of an animatable float parameter; the parameter is animated from then
// on. False for other parameters. GetKey reads the index-th key in time order. ClearKeys
// removes the keys; the parameter keeps its value at time 0 as a constant.
using MaxStandin::HostAccess::ClearKeys;
using MaxStandin::HostAccess::GetKey;
using MaxStandin::HostAccess::NumKeys;
using MaxStandin::HostAccess::SetKey;

// With animate mode on, SetValue on an animatable float at a time other than 0 creates a key
// (and one at 0 holding the previous value, when the parameter was not animated yet).
using MaxStandin::HostAccess::AnimateMode;
using MaxStandin::HostAccess::SetAnimateMode;

// A descriptor read from a tag list held as data (for hosts that drive the reader from bytes),
// checked as the C-variadic constructor checks its arguments; problems go to
// TakeDescriptorErrors. The caller deletes it.
using MaxStandin::HostAccess::BuildParamBlockDesc;

} // namespace maxhost
