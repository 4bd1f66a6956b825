// Host-side access to the stand-in SDK's parameter blocks.
#include "maxhost/ParamBlockProbe.h"

#include "HostAccess.h"

namespace maxhost {

std::uint64_t ParamBlockReads(IParamBlock2* pb) {
    return MaxStandin::HostAccess::ParamBlockReads(pb);
}

void ResetParamBlockReads(IParamBlock2* pb) {
    MaxStandin::HostAccess::ResetParamBlockReads(pb);
}

bool SetKey(IParamBlock2* pb, ParamID id, TimeValue t, float value) {
    return MaxStandin::HostAccess::SetKey(pb, id, t, value);
}

int NumKeys(IParamBlock2* pb, ParamID id) {
    return MaxStandin::HostAccess::NumKeys(pb, id);
}

bool ClearKeys(IParamBlock2* pb, ParamID id) {
    return MaxStandin::HostAccess::ClearKeys(pb, id);
}

void SetAnimateMode(bool on) {
    MaxStandin::HostAccess::SetAnimateMode(on);
}

bool AnimateMode() {
    return MaxStandin::HostAccess::AnimateMode();
}

ParamBlockDesc2* BuildParamBlockDesc(BlockID id, const MCHAR* intName, StringResID localName,
                                     ClassDesc2* cd, USHORT flags, const MaxStandin::DescArg* args,
                                     std::size_t count) {
    return MaxStandin::HostAccess::BuildDescriptor(id, intName, localName, cd, flags, args, count);
}

} // namespace maxhost
