// The plug-in's descriptors and new maps, reached through the entry points of whichever library
// layer the test program links (the Linux host loader or Windows' own LoadLibraryW).
#include "NacreenLibrary.h"

namespace nacreen_test {

ClassDesc2* NacreenDesc() {
    return static_cast<ClassDesc2*>(LibClassDesc(0));
}

ParamBlockDesc2* NacreenBlockDesc() {
    return NacreenDesc()->GetParamBlockDescByID(0);
}

Owned<Texmap> NewNacreen(BOOL loading) {
    // The descriptor hands out the map as the untyped pointer the host receives; a Texmap is the
    // map's first base.
    return Owned<Texmap>(static_cast<Texmap*>(NacreenDesc()->Create(loading)));
}

} // namespace nacreen_test
