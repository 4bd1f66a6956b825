// The test map, its class descriptor, parameter block descriptor and rollout procedure.
#include "StandinTestObjects.h"

#include "maxhost/Host.h"

namespace standin_test {

namespace {

constexpr USHORT kMtlHeaderChunk = 0x4000;
constexpr USHORT kExtraChunk = 0x5000;

class TestMapClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return new TestMap(); }
    const MCHAR* ClassName() override { return _M("TestMap"); }
    const MCHAR* NonLocalizedClassName() override { return _M("TestMap"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x7e570003, 0x1234); }
    const MCHAR* Category() override { return _M("Test"); }
    HINSTANCE HInstance() override { return TestModule(); }
};

class ConstMapClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override { return new ConstMap(); }
    const MCHAR* ClassName() override { return _M("ConstMap"); }
    const MCHAR* NonLocalizedClassName() override { return _M("ConstMap"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return ConstMap().ClassID(); }
    const MCHAR* Category() override { return _M("Test"); }
};

ConstMapClassDesc constMapDesc;

} // namespace

HINSTANCE TestModule() {
    static const int anchor = 0;
    return maxhost::ModuleHandleFromAddress(&anchor);
}

ClassDesc2* TestMapDesc() {
    static TestMapClassDesc desc;
    return &desc;
}

ParamBlockDesc2& TestMapBlock() {
    static ParamBlockDesc2 block(
        0, _M("params"), 0, TestMapDesc(), P_AUTO_CONSTRUCT + P_AUTO_UI, 0, IDD_TEST_MAP, 4, 0, 0,
        NULL, kAmount, _M("amount"), TYPE_FLOAT, P_ANIMATABLE, 5, p_default, 0.5f, p_range, 0.0f,
        1.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, kAmountEdit, kAmountSpin, 0.01f, p_end, kEnabled,
        _M("enabled"), TYPE_BOOL, 0, 6, p_default, FALSE, p_ui, TYPE_SINGLECHEKBOX, kEnabledCheck,
        p_end, kSubmap, _M("submap"), TYPE_TEXMAP, P_OWNERS_REF, 7, p_refno, 1, p_subtexno, 0, p_ui,
        TYPE_TEXMAPBUTTON, kSubmapButton, p_end, kOutput, _M("output"), TYPE_REFTARG, P_OWNERS_REF,
        8, p_refno, 2, p_end, p_end);
    return block;
}

INT_PTR TestProc::DlgProc(TimeValue t, IParamMap2* map, HWND, UINT msg, WPARAM wParam, LPARAM) {
    messages.push_back(msg);
    if (msg != WM_COMMAND) {
        return 0;
    }
    commandIds.push_back(LOWORD(wParam));
    if (LOWORD(wParam) == kEnabledCheck) {
        Interval valid = FOREVER;
        map->GetParamBlock()->GetValue(kEnabled, t, enabledSeen, valid);
    }
    return 0;
}

TestMap::TestMap() {
    TestMapBlock(); // the block descriptor registers itself with the class on first use
    TestMapDesc()->MakeAutoParamBlocks(this);
    Reset();
}

void TestMap::SetReference(int i, RefTargetHandle rtarg) {
    if (i == 0) {
        pblock = static_cast<IParamBlock2*>(rtarg);
    } else if (i == 1) {
        sub = static_cast<Texmap*>(rtarg);
    } else if (i == 2) {
        texout = static_cast<TextureOutput*>(rtarg);
    }
}

RefResult TestMap::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                                    RefMessage message, BOOL) {
    heard.push_back(message);
    if (message == REFMSG_CHANGE) {
        ivalid.SetEmpty();
        if (hTarget == pblock) {
            changedParams.push_back(pblock->LastNotifyParamID());
            TestMapDesc()->InvalidateUI(&TestMapBlock(), pblock->LastNotifyParamID(), -1);
        }
    }
    return REF_SUCCEED;
}

BOOL TestMap::SetDlgThing(ParamDlg* dlg) {
    if (!outputDlg || dlg != outputDlg) {
        return FALSE;
    }
    dlg->SetThing(texout);
    return TRUE;
}

AColor TestMap::EvalColor(ShadeContext& sc) {
    if (gbufID) {
        sc.SetGBufferID(static_cast<int>(gbufID));
    }
    const float a = pblock->GetFloat(kAmount, sc.CurTime());
    return texout->Filter(AColor(a, a, a, 1.0f));
}

void TestMap::Update(TimeValue t, Interval& valid) {
    if (!ivalid.InInterval(t)) {
        ivalid = FOREVER;
        if (texout) {
            texout->Update(t, ivalid);
        }
        if (sub) {
            sub->Update(t, ivalid);
        }
        pblock->GetValue(kAmount, t, amount, ivalid);
    }
    valid &= ivalid;
}

void TestMap::Reset() {
    TestMapDesc()->Reset(this, TRUE, TRUE);
    DeleteReference(1);
    if (texout) {
        texout->Reset();
    } else {
        ReplaceReference(2, GetNewDefaultTextureOutput());
    }
    ivalid.SetEmpty();
}

Interval TestMap::Validity(TimeValue t) {
    Interval v;
    Update(t, v);
    return ivalid;
}

ParamDlg* TestMap::CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) {
    IAutoMParamDlg* master = TestMapDesc()->CreateParamDlgs(hwMtlEdit, imp, this);
    TestMapBlock().SetUserDlgProc(0, new TestProc());
    outputDlg = texout->CreateParamDlg(hwMtlEdit, imp);
    master->AddDlg(outputDlg);
    return master;
}

RefTargetHandle TestMap::Clone(RemapDir& remap) {
    TestMap* copy = new TestMap();
    *static_cast<MtlBase*>(copy) = *static_cast<MtlBase*>(this);
    copy->ReplaceReference(2, remap.CloneRef(texout));
    copy->ReplaceReference(0, remap.CloneRef(pblock));
    if (sub) {
        copy->ReplaceReference(1, remap.CloneRef(sub));
    }
    BaseClone(this, copy, remap);
    return copy;
}

IOResult TestMap::Save(ISave* isave) {
    isave->BeginChunk(kMtlHeaderChunk);
    const IOResult result = MtlBase::Save(isave);
    if (result != IO_OK) {
        return result;
    }
    isave->EndChunk();
    ULONG written = 0;
    const int extra = 42;
    isave->BeginChunk(kExtraChunk);
    isave->Write(&extra, sizeof(extra), &written);
    isave->EndChunk();
    return IO_OK;
}

IOResult TestMap::Load(ILoad* iload) {
    IOResult result = IO_OK;
    while (iload->OpenChunk() == IO_OK) {
        ULONG read = 0;
        if (iload->CurChunkID() == kMtlHeaderChunk) {
            result = MtlBase::Load(iload);
        } else if (iload->CurChunkID() == kExtraChunk) {
            result = iload->Read(&loadedExtra, sizeof(loadedExtra), &read);
        }
        iload->CloseChunk();
        if (result != IO_OK) {
            return result;
        }
    }
    return IO_OK;
}

ReferenceTarget* CloneThroughHost(ReferenceTarget* target) {
    RemapDir* remap = NewRemapDir();
    ReferenceTarget* clone = remap->CloneRef(target);
    remap->DeleteThis();
    return clone;
}

TestMapRegistration::TestMapRegistration() {
    TestMapBlock();
    maxhost::RegisterClassDesc(TestMapDesc());
    maxhost::RegisterClassDesc(&constMapDesc);
}

TestMapRegistration::~TestMapRegistration() {
    maxhost::UnregisterClassDesc(TestMapDesc());
    maxhost::UnregisterClassDesc(&constMapDesc);
}

} // namespace standin_test
