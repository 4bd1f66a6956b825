#include "NacreenClassDesc.h"

#include "resources/resource.h"

#include "HostHeap.h"
#include "ModuleInstance.h"
#include "Nacreen.h"
#include "ResourceString.h"

int NacreenClassDesc::IsPublic() {
    return TRUE;
}

// A map created for loading is built exactly like a new one; the host then loads into it.
void* NacreenClassDesc::Create(BOOL /*loading*/) {
    return NewOnHostHeap<Nacreen>();
}

const MCHAR* NacreenClassDesc::ClassName() {
    return GetResourceString(IDS_CLASS_NAME);
}

const MCHAR* NacreenClassDesc::NonLocalizedClassName() {
    return _T("Nacreen");
}

const MCHAR* NacreenClassDesc::InternalName() {
    return _T("Nacreen");
}

SClass_ID NacreenClassDesc::SuperClassID() {
    return TEXMAP_CLASS_ID;
}

Class_ID NacreenClassDesc::ClassID() {
    return NACREEN_CLASS_ID;
}

const MCHAR* NacreenClassDesc::Category() {
    return GetResourceString(IDS_CATEGORY);
}

HINSTANCE NacreenClassDesc::HInstance() {
    return GetModuleInstance();
}

ClassDesc2* GetNacreenDesc() {
    static NacreenClassDesc nacreenDesc;
    return &nacreenDesc;
}
