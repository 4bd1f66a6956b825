// The host catches plug-in faults that 3ds Max would expose: each test drives a deliberately
// faulty object the way the host drives a plug-in, and checks that the host reports the fault
// (maxhost/Host.h) or shows it as a wrong value.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "StandinTestObjects.h"
#include "maxhost/Host.h"
#include "maxhost/SceneFiles.h"

namespace standin_test {
namespace {

// The faults recorded since the last call.
std::vector<maxhost::HostFault> Faults() {
    return maxhost::TakeHostFaults();
}

// Window class names keep no case (windres stores them in capitals), so neither does this.
std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool Mentions(const maxhost::HostFault& fault, maxhost::FaultKind kind, const std::string& text) {
    return fault.kind == kind && Lower(fault.message).find(Lower(text)) != std::string::npos;
}

// ---- parameter reads honour their arguments ------------------------------------------------

// Reads its amount with table index 1, as if the parameter were a table.
class TableIndexMap : public TestMap {
public:
    void Update(TimeValue t, Interval& valid) override {
        ivalid = FOREVER;
        pblock->GetValue(kAmount, t, amount, ivalid, 1);
        valid &= ivalid;
    }
};

TEST(StrictParamReads, ATableIndexOnANonTableParameterIsReportedAndReadsNothing) {
    auto* map = new TableIndexMap();
    map->pblock->SetValue(kAmount, 0, 0.8f);
    map->amount = -1.0f;
    Interval valid = FOREVER;
    map->Update(0, valid);
    EXPECT_EQ(map->amount, -1.0f) << "not a silent read of entry 0";
    std::vector<maxhost::HostFault> faults = Faults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(Mentions(faults[0], maxhost::FaultKind::ParamAccess,
                         "parameter 0 \"amount\" is not a table but was given table index 1"))
        << faults[0].message;

    IParamBlock2* pb = map->pblock;
    EXPECT_EQ(pb->GetInt(kEnabled, 0, 2), 0);
    EXPECT_EQ(pb->GetTexmap(kSubmap, 0, 1), nullptr);
    EXPECT_EQ(pb->GetReferenceTarget(kOutput, 0, -1), nullptr);
    EXPECT_FALSE(pb->SetValue(kEnabled, 0, TRUE, 1));
    EXPECT_EQ(pb->GetInt(kEnabled), FALSE) << "a write with a table index changes nothing";
    EXPECT_EQ(Faults().size(), 4u) << "each of the four is reported";
    map->DeleteMe();
}

TEST(StrictParamReads, UnknownIdsAndWrongValueKindsAreReported) {
    auto* map = new TestMap();
    IParamBlock2* pb = map->pblock;
    EXPECT_EQ(pb->GetFloat(42), 0.0f);
    int asInt = 7;
    Interval valid = FOREVER;
    EXPECT_FALSE(pb->GetValue(kAmount, 0, asInt, valid));
    EXPECT_EQ(asInt, 7);
    Texmap* asMap = nullptr;
    EXPECT_FALSE(pb->GetValue(kAmount, 0, asMap, valid));
    std::vector<maxhost::HostFault> faults = Faults();
    ASSERT_EQ(faults.size(), 3u);
    EXPECT_TRUE(Mentions(faults[0], maxhost::FaultKind::ParamAccess, "has no parameter 42"));
    EXPECT_TRUE(Mentions(faults[1], maxhost::FaultKind::ParamAccess, "was accessed as int"));
    EXPECT_TRUE(
        Mentions(faults[2], maxhost::FaultKind::ParamAccess, "was accessed as a reference"));
    map->DeleteMe();
}

// Reads at time 0 whatever time it is asked for.
class FrozenTimeMap : public TestMap {
public:
    void Update(TimeValue, Interval& valid) override {
        ivalid = FOREVER;
        pblock->GetValue(kAmount, 0, amount, ivalid);
        valid &= ivalid;
    }
};

TEST(StrictParamReads, AReadAtTheWrongTimeShowsInTheValueAndTheInterval) {
    auto* good = new TestMap();
    auto* frozen = new FrozenTimeMap();
    for (TestMap* map : {static_cast<TestMap*>(good), static_cast<TestMap*>(frozen)}) {
        maxhost::SetKey(map->pblock, kAmount, 0, 0.0f);
        maxhost::SetKey(map->pblock, kAmount, 100, 1.0f);
    }
    Interval goodValid = FOREVER, frozenValid = FOREVER;
    good->Update(50, goodValid);
    frozen->Update(50, frozenValid);
    EXPECT_EQ(good->amount, 0.5f);
    EXPECT_EQ(goodValid, Interval(50, 50)) << "an animated value holds only at that instant";
    EXPECT_EQ(frozen->amount, 0.0f);
    EXPECT_FALSE(frozenValid.InInterval(50)) << "the interval tells that time 50 was not read";
    good->DeleteMe();
    frozen->DeleteMe();
}

// ---- rollout binding checks the dialog template ---------------------------------------------

// Blocks whose parameters bind the test map's control ids, each on another template.
class BindingClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override { return nullptr; }
    const MCHAR* ClassName() override { return _M("Binding"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Binding"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x7e570010, 1); }
    const MCHAR* Category() override { return _M("Test"); }
    HINSTANCE HInstance() override { return TestModule(); }
};

BindingClassDesc bindingDesc;

ParamBlockDesc2 BindingBlock(BlockID id, int dialogTemplate) {
    return ParamBlockDesc2(
        id, _M("binding"), 0, &bindingDesc, P_AUTO_UI, dialogTemplate, 4, 0, 0, NULL, kAmount,
        _M("amount"), TYPE_FLOAT, P_ANIMATABLE, 5, p_default, 0.5f, p_ui, TYPE_SPINNER,
        EDITTYPE_FLOAT, kAmountEdit, kAmountSpin, 0.01f, p_end, kEnabled, _M("enabled"), TYPE_BOOL,
        0, 6, p_ui, TYPE_SINGLECHEKBOX, kEnabledCheck, p_end, kSubmap, _M("submap"), TYPE_TEXMAP,
        P_OWNERS_REF, 7, p_refno, 1, p_ui, TYPE_TEXMAPBUTTON, kSubmapButton, p_end, p_end);
}

// The faults of opening the rollout of a block bound to the given template.
std::vector<maxhost::HostFault> OpenRollout(int dialogTemplate) {
    ParamBlockDesc2 block = BindingBlock(1, dialogTemplate);
    maxhost::MtlParamsStub editor;
    IAutoMParamDlg* master = bindingDesc.CreateParamDlgs(nullptr, &editor, nullptr);
    EXPECT_NE(master, nullptr);
    if (master) {
        master->DeleteThis();
    }
    return Faults();
}

TEST(StrictRolloutBinding, ATemplateThatFitsTheBindingsPassesQuietly) {
    EXPECT_TRUE(OpenRollout(IDD_TEST_MAP).empty());
}

TEST(StrictRolloutBinding, AControlMissingFromTheTemplateIsReportedWhenTheRolloutOpens) {
    std::vector<maxhost::HostFault> faults = OpenRollout(IDD_MISSING_CONTROL);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(Mentions(faults[0], maxhost::FaultKind::RolloutBinding,
                         "control 3003 bound to parameter \"enabled\" is not in the dialog "
                         "template"))
        << faults[0].message;
}

TEST(StrictRolloutBinding, ControlsOfTheWrongClassOrKindAreReported) {
    std::vector<maxhost::HostFault> faults = OpenRollout(IDD_WRONG_CLASSES);
    ASSERT_EQ(faults.size(), 4u);
    EXPECT_TRUE(Mentions(faults[0], maxhost::FaultKind::RolloutBinding,
                         "control 3001 bound to parameter \"amount\" is a SpinnerControl in the "
                         "dialog template, not a CustEdit"))
        << faults[0].message;
    EXPECT_TRUE(Mentions(faults[1], maxhost::FaultKind::RolloutBinding,
                         "control 3002 bound to parameter \"amount\" is a CustEdit"));
    EXPECT_TRUE(Mentions(faults[2], maxhost::FaultKind::RolloutBinding,
                         "control 3003 bound to parameter \"enabled\" is a Button of kind 0"));
    EXPECT_TRUE(Mentions(faults[3], maxhost::FaultKind::RolloutBinding,
                         "control 3004 bound to parameter \"submap\" is a Static"));
}

TEST(StrictRolloutBinding, ATemplateTheModuleDoesNotHaveIsReported) {
    std::vector<maxhost::HostFault> faults = OpenRollout(IDD_NOT_IN_MODULE);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(Mentions(faults[0], maxhost::FaultKind::RolloutBinding,
                         "dialog template 109 is not in the class descriptor's module"));
}

// ---- BaseClone is required -------------------------------------------------------------------

// Copies its base data by assignment but never calls BaseClone.
class NoBaseCloneMap : public ConstMap {
public:
    RefTargetHandle Clone(RemapDir&) override {
        auto* copy = new NoBaseCloneMap();
        *static_cast<MtlBase*>(copy) = *static_cast<MtlBase*>(this);
        return copy;
    }
};

TEST(StrictCloning, ACloneThatNeverCalledBaseCloneIsReported) {
    auto* good = new ConstMap();
    good->SetName(_M("Map #7"));
    good->gbufID = 5;
    auto* goodCopy = static_cast<ConstMap*>(CloneThroughHost(good));
    ASSERT_NE(goodCopy, nullptr);
    EXPECT_EQ(goodCopy->GetName(), _M("Map #7"));
    EXPECT_EQ(goodCopy->gbufID, 5u);
    EXPECT_TRUE(Faults().empty());

    auto* faulty = new NoBaseCloneMap();
    ReferenceTarget* faultyCopy = CloneThroughHost(faulty);
    std::vector<maxhost::HostFault> faults = Faults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(
        Mentions(faults[0], maxhost::FaultKind::CloneWithoutBase, "without calling BaseClone"));
    for (ReferenceTarget* object :
         std::vector<ReferenceTarget*>{good, goodCopy, faulty, faultyCopy}) {
        object->DeleteMe();
    }
}

// ---- reference bookkeeping --------------------------------------------------------------------

// Sets a slot's member directly instead of through ReplaceReference.
class SneakyNode : public Node {
public:
    explicit SneakyNode(int slots) : Node(slots) {}
    void Sneak(int i, RefTargetHandle target) { SetReference(i, target); }
};

TEST(StrictReferences, AMemberSetBehindTheReferenceSystemIsReportedAtTheNextReferenceCall) {
    auto* maker = new SneakyNode(2);
    auto* held = new Node(0);
    auto* sneaked = new Node(0);
    maker->ReplaceReference(0, held);
    EXPECT_TRUE(Faults().empty());

    maker->Sneak(1, sneaked);
    maker->ReplaceReference(0, nullptr, FALSE);
    std::vector<maxhost::HostFault> faults = Faults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(Mentions(faults[0], maxhost::FaultKind::ReferenceSlot,
                         "GetReference(1) gives a ReferenceTarget but the reference system "
                         "installed nothing there"))
        << faults[0].message;
    EXPECT_FALSE(sneaked->HasDependents()) << "the target never learnt it is referenced";

    // Cloning and saving look at every slot too.
    ReferenceTarget* copy = CloneThroughHost(maker);
    EXPECT_FALSE(Faults().empty()) << "cloning notices the slot";
    std::vector<unsigned char> bytes;
    std::string error;
    maxhost::SaveSceneToBytes(maker, bytes, error);
    EXPECT_FALSE(Faults().empty()) << "saving notices the slot";

    maker->Sneak(1, nullptr);
    for (ReferenceTarget* object : std::vector<ReferenceTarget*>{maker, copy, held, sneaked}) {
        object->DeleteMe();
    }
    Faults();
}

// ---- control refresh ---------------------------------------------------------------------------

TEST(StrictControlRefresh, ARefreshWithATableIndexOnANonTableParameterIsReported) {
    maxhost::MtlParamsStub editor;
    auto* map = new TestMap();
    ParamDlg* dlg = map->CreateParamDlg(nullptr, &editor);
    TestMapDesc()->InvalidateUI(&TestMapBlock(), kAmount, 2);
    static_cast<IAutoMParamDlg*>(dlg)->GetMap()->Enable(kAmount, FALSE, 1);
    std::vector<maxhost::HostFault> faults = Faults();
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_TRUE(Mentions(faults[0], maxhost::FaultKind::ParamAccess, "Invalidate of parameter 0"));
    EXPECT_TRUE(Mentions(faults[1], maxhost::FaultKind::ParamAccess, "Enable of parameter 0"));
    dlg->DeleteThis();
    map->DeleteMe();
}

// ---- reset leaves owner references to their owner --------------------------------------------

// Resets its block but leaves clearing its sub-map to the host.
class HostClearsSubmapMap : public TestMap {
public:
    void Reset() override {
        TestMapDesc()->Reset(this, TRUE, TRUE);
        ivalid.SetEmpty();
    }
};

TEST(StrictReset, AnOwnerThatDoesNotClearItsOwnReferencesKeepsThem) {
    auto* good = new TestMap();
    auto* faulty = new HostClearsSubmapMap();
    for (TestMap* map : {static_cast<TestMap*>(good), static_cast<TestMap*>(faulty)}) {
        map->SetSubTexmap(0, new ConstMap());
        map->pblock->SetValue(kAmount, 0, 0.9f);
        TextureOutput* output = map->texout;
        map->Reset();
        EXPECT_EQ(map->pblock->GetFloat(kAmount), 0.5f);
        EXPECT_EQ(map->texout, output) << "the output object is the owner's to reset";
    }
    EXPECT_EQ(good->pblock->GetTexmap(kSubmap), nullptr);
    EXPECT_NE(faulty->pblock->GetTexmap(kSubmap), nullptr) << "the host's reset leaves it";
    good->DeleteMe();
    faulty->DeleteMe();
}

// ---- track-view names honour the localized flag -------------------------------------------------

// A map with one sub-map slot whose name has a localized and an English form.
class LocalizedSlotMap : public ConstMap {
public:
    int NumSubTexmaps() override { return 1; }
    MSTR GetSubTexmapSlotName(int, bool localized) override {
        return localized ? MSTR(_M("Unterkarte")) : MSTR(_M("Submap"));
    }
    MSTR SubAnimName(int i, bool localized) override { return GetSubTexmapTVName(i, localized); }
};

// Drops the flag: always asks for the localized track-view name.
class FlagDroppingMap : public LocalizedSlotMap {
public:
    MSTR SubAnimName(int i, bool) override { return GetSubTexmapTVName(i, true); }
};

TEST(StrictTrackViewNames, TheNonLocalizedFormComesThroughSoADroppedFlagShows) {
    LocalizedSlotMap good;
    EXPECT_EQ(good.GetSubTexmapTVName(0, false), _M("Submap"));
    EXPECT_EQ(good.GetSubTexmapTVName(0, true), _M("Unterkarte"));
    EXPECT_EQ(good.SubAnimName(0, false), _M("Submap"));
    FlagDroppingMap faulty;
    EXPECT_EQ(faulty.SubAnimName(0, false), _M("Unterkarte"));
}

} // namespace
} // namespace standin_test
