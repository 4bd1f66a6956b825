// Plug-in code as it may be written against the 3ds Max SDK. As it stands it compiles; each
// NACREEN_FAULT number swaps in one line that the real SDK's headers refuse, and the stand-in's
// must refuse it too, so that such a line fails here and not only in the user's build.
#include <max.h>
#include <imtl.h>
#include <iparamb2.h>
#if NACREEN_FAULT != 3
#include <iparamm2.h>
#endif

// 1: TYPE_FLOAT is a ParamType, not a ParamType2.
ParamType2 TypeOfThicknessMap() {
#if NACREEN_FAULT == 1
    ParamType2 type = TYPE_FLOAT;
#else
    ParamType2 type = TYPE_TEXMAP;
#endif
    return type;
}

// 2: TYPE_SPINNER is a ControlType, not a ControlType2.
ControlType2 ControlOfThicknessMap() {
#if NACREEN_FAULT == 2
    ControlType2 control = TYPE_SPINNER;
#else
    ControlType2 control = TYPE_TEXMAPBUTTON;
#endif
    return control;
}

// 3: iparamb2.h only names the parameter maps; using one needs iparamm2.h.
void EnableFirstControl(IParamBlock2* pb) {
    pb->GetMap(0)->Enable(0, TRUE, 0);
}

// 4: ReferenceTarget makes NotifyRefChanged private, so a map cannot call it on itself; it tells
// its dependents through NotifyDependents.
class ForwardingMap : public Texmap {
protected:
    RefResult Forward(PartID& part) {
#if NACREEN_FAULT == 4
        return NotifyRefChanged(FOREVER, nullptr, part, REFMSG_CHANGE, TRUE);
#else
        return NotifyDependents(FOREVER, part, REFMSG_CHANGE);
#endif
    }
};

// 5: only ClassDesc2 finds a block descriptor by name.
ParamBlockDesc2* BlockNamedParams(ClassDesc* desc) {
#if NACREEN_FAULT == 5
    return desc->GetParamBlockDescByName(_T("params"));
#else
    return static_cast<ClassDesc2*>(desc)->GetParamBlockDescByName(_T("params"));
#endif
}

// 6: ShadeContext::ResetOutput is not virtual.
class ResettingContext : public ShadeContext {
public:
#if NACREEN_FAULT == 6
    void ResetOutput(int n = -1) override {
        out.Reset(n);
    }
#endif
};

// 7: NewRemapDir hands out a pointer.
void CloneWithNewDirectory(ReferenceTarget* target) {
#if NACREEN_FAULT == 7
    RemapDir& remap = NewRemapDir();
    target->Clone(remap);
    remap.DeleteThis();
#else
    RemapDir* remap = NewRemapDir();
    target->Clone(*remap);
    remap->DeleteThis();
#endif
}
