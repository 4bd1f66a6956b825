// Small SDK classes the stand-in tests build on: a plain reference node, a constant texture map
// and a texture map with a parameter block, a rollout procedure and an output object, written
// the way a plug-in writes them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "iparamb2.h"
#include "iparamm2.h"
#include "max.h"
#include "stdmat.h"
#include "test_resource.h"

namespace standin_test {

// A reference target with a fixed number of slots that records the messages it hears.
class Node : public ReferenceTarget {
public:
    explicit Node(int slots = 2) : refs(static_cast<std::size_t>(slots), nullptr) { ++alive; }
    ~Node() override { --alive; }

    SClass_ID SuperClassID() override { return REF_TARGET_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x7e570001, 1); }
    int NumRefs() override { return static_cast<int>(refs.size()); }
    RefTargetHandle GetReference(int i) override { return refs[static_cast<std::size_t>(i)]; }
    RefTargetHandle Clone(RemapDir& remap) override {
        Node* copy = new Node(NumRefs());
        for (int i = 0; i < NumRefs(); ++i)
            copy->ReplaceReference(i, remap.CloneRef(GetReference(i)));
        BaseClone(this, copy, remap);
        return copy;
    }
    void Change() { NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE); }

    std::vector<RefMessage> heard;
    std::vector<RefTargetHandle> senders;
    std::function<void()> onNotify;
    RefResult reply = REF_SUCCEED;
    inline static int alive = 0;

protected:
    void SetReference(int i, RefTargetHandle rtarg) override {
        refs[static_cast<std::size_t>(i)] = rtarg;
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                               RefMessage message, BOOL) override {
        heard.push_back(message);
        senders.push_back(hTarget);
        if (onNotify)
            onNotify();
        return reply;
    }

private:
    std::vector<RefTargetHandle> refs;
};

// A texture map of one constant colour, with no parameters.
class ConstMap : public Texmap {
public:
    explicit ConstMap(AColor c = AColor(0.25f, 0.5f, 0.75f, 1.0f)) : color(c) {}

    Class_ID ClassID() override { return Class_ID(0x7e570002, 1); }
    AColor EvalColor(ShadeContext&) override { return color; }
    Point3 EvalNormalPerturb(ShadeContext&) override { return Point3(); }
    void Update(TimeValue, Interval&) override {}
    void Reset() override {}
    Interval Validity(TimeValue) override { return FOREVER; }
    ParamDlg* CreateParamDlg(HWND, IMtlParams*) override { return nullptr; }
    RefTargetHandle Clone(RemapDir& remap) override {
        ConstMap* copy = new ConstMap(color);
        *static_cast<MtlBase*>(copy) = *static_cast<MtlBase*>(this);
        BaseClone(this, copy, remap);
        return copy;
    }

    AColor color;

protected:
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }
};

enum TestMapParam : ParamID { kAmount = 0, kEnabled = 1, kSubmap = 2, kOutput = 3 };
enum TestMapControl : int {
    kAmountEdit = IDC_AMOUNT_EDIT,
    kAmountSpin = IDC_AMOUNT_SPIN,
    kEnabledCheck = IDC_ENABLED_CHECK,
    kSubmapButton = IDC_SUBMAP_BUTTON,
    kLinkButton = IDC_LINK_BUTTON, // a plain dialog button, bound to no parameter
};

// The test program's own module, which holds the dialog templates of test_resource.h.
HINSTANCE TestModule();

ClassDesc2* TestMapDesc();
ParamBlockDesc2& TestMapBlock();

// Counts what the host does with rollout procedures.
class TestProc : public ParamMap2UserDlgProc {
public:
    INT_PTR DlgProc(TimeValue, IParamMap2* map, HWND, UINT msg, WPARAM wParam, LPARAM) override;
    void DeleteThis() override {
        ++deleted;
        delete this;
    }
    void SetThing(ReferenceTarget* m) override { thing = m; }

    ReferenceTarget* thing = nullptr;
    inline static int deleted = 0;
    inline static std::vector<UINT> messages;
    inline static std::vector<int> commandIds;
    // Value of "enabled" that the procedure saw when the check box command arrived.
    inline static int enabledSeen = -1;
};

// A texture map written like a plug-in's: block as reference 0, optional sub-map as
// reference 1 (sub-texmap 0), output object as reference 2.
class TestMap : public Texmap {
public:
    TestMap();

    void GetClassName(MSTR& s, bool = true) const override { s = _M("TestMap"); }
    Class_ID ClassID() override { return TestMapDesc()->ClassID(); }
    int NumSubs() override { return 3; }
    Animatable* SubAnim(int i) override { return GetReference(i); }
    MSTR SubAnimName(int i, bool) override {
        return i == 1 ? GetSubTexmapTVName(0, true) : MSTR(_M("part"));
    }
    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int) override { return pblock; }
    IParamBlock2* GetParamBlockByID(short id) override {
        return pblock && pblock->ID() == id ? pblock : nullptr;
    }
    int NumRefs() override { return 3; }
    RefTargetHandle GetReference(int i) override {
        return i == 0   ? static_cast<RefTargetHandle>(pblock)
               : i == 1 ? static_cast<RefTargetHandle>(sub)
                        : texout;
    }
    int NumSubTexmaps() override { return 1; }
    Texmap* GetSubTexmap(int) override { return sub; }
    void SetSubTexmap(int i, Texmap* m) override { ReplaceReference(i + 1, m); }
    MSTR GetSubTexmapSlotName(int i, bool) override { return MSTR(i == 0 ? _M("Sub") : _M("")); }
    BOOL SetDlgThing(ParamDlg* dlg) override;

    AColor EvalColor(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext&) override { return Point3(); }
    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;
    ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) override;
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    IParamBlock2* pblock = nullptr;
    Texmap* sub = nullptr;
    TextureOutput* texout = nullptr;
    Interval ivalid;
    float amount = 0.0f;
    std::vector<RefMessage> heard;
    std::vector<ParamID> changedParams;
    int loadedExtra = 0;
    inline static ParamDlg* outputDlg = nullptr;

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                               RefMessage message, BOOL) override;
};

// Clones target and what it references through one host directory, as the host clones.
ReferenceTarget* CloneThroughHost(ReferenceTarget* target);

// Registers the test map's and the constant map's classes with the host for the life of the object.
class TestMapRegistration {
public:
    TestMapRegistration();
    ~TestMapRegistration();
};

} // namespace standin_test
