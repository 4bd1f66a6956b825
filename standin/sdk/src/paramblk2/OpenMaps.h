// The rollouts (parameter maps) currently open, so that user dialog procedures are deleted
// exactly once, by whoever holds them last.
#pragma once

#include <vector>

class IParamMap2;
class ParamMap2UserDlgProc;

namespace MaxStandin {

std::vector<IParamMap2*>& OpenParamMaps();
// Whether an open map other than `except` uses proc.
bool ProcInUse(ParamMap2UserDlgProc* proc, IParamMap2* except);

} // namespace MaxStandin
