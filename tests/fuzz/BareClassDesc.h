// A class descriptor that creates nothing, for parameter-block descriptors built on their own.
#pragma once

#include <iparamb2.h>

namespace fuzz {

class BareClassDesc : public ClassDesc2 {
public:
    explicit BareClassDesc(ULONG classIdA) : classIdA_(classIdA) {}
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override { return nullptr; }
    const MCHAR* ClassName() override { return _M("Bare"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Bare"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(classIdA_, 0); }
    const MCHAR* Category() override { return _M(""); }

private:
    ULONG classIdA_;
};

} // namespace fuzz
