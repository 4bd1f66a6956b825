// Registry of the open parameter maps.
#include "OpenMaps.h"

#include "iparamm2.h"

namespace MaxStandin {

std::vector<IParamMap2*>& OpenParamMaps() {
    static std::vector<IParamMap2*> maps;
    return maps;
}

bool ProcInUse(ParamMap2UserDlgProc* proc, IParamMap2* except) {
    for (IParamMap2* map : OpenParamMaps()) {
        if (map != except && map->GetUserDlgProc() == proc) {
            return true;
        }
    }
    return false;
}

} // namespace MaxStandin
