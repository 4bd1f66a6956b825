#include "ConstantMonoMap.h"

#include <maxhost/Host.h>

namespace nacreen_test {

namespace {

constexpr USHORT kValueChunk = 0x0100;

class ConstantMonoMapDesc : public ClassDesc {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override { return new ConstantMonoMap(); }
    const MCHAR* ClassName() override { return _T("ConstantMonoMap"); }
    const MCHAR* NonLocalizedClassName() override { return _T("ConstantMonoMap"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return ConstantMonoMap::ClassIdentity(); }
    const MCHAR* Category() override { return _T("Tests"); }
};

void RegisterClassOnce() {
    static ConstantMonoMapDesc desc;
    static const bool registered = (maxhost::RegisterClassDesc(&desc), true);
    (void)registered;
}

} // namespace

Class_ID ConstantMonoMap::ClassIdentity() {
    return Class_ID(0x1D2E3F40, 0x51627384);
}

ConstantMonoMap* ConstantMonoMap::Create(float value) {
    RegisterClassOnce();
    return new ConstantMonoMap(value);
}

ConstantMonoMap::ConstantMonoMap(float value) : value(value) {}

void ConstantMonoMap::GetClassName(MSTR& s, bool) const {
    s = _T("ConstantMonoMap");
}

AColor ConstantMonoMap::EvalColor(ShadeContext&) {
    return AColor(value, value, value, 1.0f);
}

float ConstantMonoMap::EvalMono(ShadeContext&) {
    evalMonoCalls.fetch_add(1, std::memory_order_relaxed);
    return value;
}

Point3 ConstantMonoMap::EvalNormalPerturb(ShadeContext&) {
    return Point3(0.0f, 0.0f, 0.0f);
}

void ConstantMonoMap::Update(TimeValue, Interval& valid) {
    ++updateCalls;
    valid &= ownValidity;
}

RefTargetHandle ConstantMonoMap::Clone(RemapDir& remap) {
    ConstantMonoMap* copy = new ConstantMonoMap(value);
    BaseClone(this, copy, remap);
    return copy;
}

IOResult ConstantMonoMap::Save(ISave* isave) {
    ULONG written = 0;
    isave->BeginChunk(kValueChunk);
    const IOResult result = isave->Write(&value, sizeof(value), &written);
    isave->EndChunk();
    return result;
}

IOResult ConstantMonoMap::Load(ILoad* iload) {
    IOResult result;
    while ((result = iload->OpenChunk()) == IO_OK) {
        ULONG read = 0;
        IOResult chunkResult = IO_OK;
        if (iload->CurChunkID() == kValueChunk) {
            chunkResult = iload->Read(&value, sizeof(value), &read);
        }
        iload->CloseChunk();
        if (chunkResult != IO_OK) {
            return chunkResult;
        }
    }
    return result == IO_END ? IO_OK : result;
}

void ConstantMonoMap::Touch() {
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

} // namespace nacreen_test
