// Defaults of InterfaceServer and Animatable.
#include "Animatable.h"

InterfaceServer::~InterfaceServer() = default;
BaseInterface* InterfaceServer::GetInterface(Interface_ID) {
    return nullptr;
}
BaseInterface* BaseInterfaceServer::GetInterface(Interface_ID) {
    return nullptr;
}

Animatable::~Animatable() = default;

void Animatable::DeleteThis() {
    delete this;
}

void Animatable::GetClassName(MSTR& s, bool) const {
    s = _M("Animatable");
}
void Animatable::GetClassName(MSTR& s) {
    GetClassName(s, true);
}
Class_ID Animatable::ClassID() {
    return Class_ID(0, 0);
}

int Animatable::NumSubs() {
    return 0;
}
Animatable* Animatable::SubAnim(int) {
    return nullptr;
}
MSTR Animatable::SubAnimName(int, bool) {
    return MSTR(_M("no name"));
}
MSTR Animatable::SubAnimName(int i) {
    return SubAnimName(i, true);
}
int Animatable::SubNumToRefNum(int) {
    return -1;
}
ParamDimension* Animatable::GetParamDimension(int) {
    return defaultDim;
}

int Animatable::NumParamBlocks() {
    return 0;
}
IParamBlock2* Animatable::GetParamBlock(int) {
    return nullptr;
}
IParamBlock2* Animatable::GetParamBlockByID(short) {
    return nullptr;
}

void* Animatable::GetInterface(ULONG) {
    return nullptr;
}
BaseInterface* Animatable::GetInterface(Interface_ID id) {
    return InterfaceServer::GetInterface(id);
}
