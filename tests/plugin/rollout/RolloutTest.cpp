// The map's editor dialog driven as a user drives it: enable state of the thickness-map
// controls, the link buttons, re-pointing the rollout, the output dialog and ownership.
#include "../ConstantMonoMap.h"
#include "../NacreenLibrary.h"

#include "resources/resource.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>
#include <iparamm2.h>

#include <algorithm>
#include <string>
#include <vector>

namespace nacreen_test {
namespace {

// The controls that only matter with a thickness map: the "Max:" row and the map button.
const int kMapControls[] = {IDC_THICKNESS_MAX_EDIT, IDC_THICKNESS_MAX_SPIN, IDC_THICKNESS_MAP};

bool IsMapControl(int id) {
    return std::find(std::begin(kMapControls), std::end(kMapControls), id) !=
           std::end(kMapControls);
}

// An open editor dialog of one map; closed the way the material editor closes it.
class EditorDialog {
public:
    EditorDialog(Texmap* map, IMtlParams* imp) : master(map->CreateParamDlg(nullptr, imp)) {}
    ~EditorDialog() {
        if (master) {
            master->DeleteThis();
        }
    }
    EditorDialog(const EditorDialog&) = delete;
    EditorDialog& operator=(const EditorDialog&) = delete;

    IAutoMParamDlg* Master() const { return static_cast<IAutoMParamDlg*>(master); }
    IParamMap2* Rollout() const { return Master()->GetMap(); }
    // The output object's dialog, appended below the rollout.
    ParamDlg* OutputDlg() const { return Master()->GetDlg(Master()->NumDlgs() - 1); }

private:
    ParamDlg* master;
};

class Rollout : public ::testing::Test {
protected:
    maxhost::MtlParamsStub editor;
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);

    void SetUp() override { maxhost::ClearShellExecuteLog(); }

    static bool MapControlsEnabled(IParamMap2* rollout, bool enabled) {
        for (int id : kMapControls) {
            if (maxhost::IsControlEnabled(rollout, id) != enabled) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(Rollout, NewDialogDisablesOnlyTheMaxRowAndTheMapButton) {
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();
    ASSERT_NE(rollout, nullptr);
    EXPECT_EQ(rollout->GetParamBlock(), pb);
    // Every control of template 101 that has an id, bound to a parameter or not.
    std::vector<int> ids = maxhost::RolloutControlIds(rollout);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{1002, 1003, 1008, 1009, 1490, 1491, 1492, 1493, 1494, 1495,
                                     1496, 1497, 1498, 1499, 1500, 1501, 1502, 1503, 1504, 1505}));
    for (int id : ids) {
        EXPECT_EQ(maxhost::IsControlEnabled(rollout, id), !IsMapControl(id)) << id;
    }
    EXPECT_TRUE(maxhost::IsControlEnabled(rollout, IDC_THICKNESS_MIN_EDIT));
    EXPECT_TRUE(maxhost::IsControlEnabled(rollout, IDC_THICKNESS_MAP_ENABLED));
}

TEST_F(Rollout, NewDialogOfAMapWithTheSwitchOnEnablesEverything) {
    pb->SetValue(kThicknessMapEnabled, 0, TRUE);
    EditorDialog dialog(map.get(), &editor);
    for (int id : maxhost::RolloutControlIds(dialog.Rollout())) {
        EXPECT_TRUE(maxhost::IsControlEnabled(dialog.Rollout(), id)) << id;
    }
}

TEST_F(Rollout, TheCheckBoxSwitchesTheMapControlsAndKeepsTheMap) {
    ConstantMonoMap* sub = ConstantMonoMap::Create(0.5f);
    map->SetSubTexmap(0, sub);
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();

    EXPECT_EQ(maxhost::SendCommand(rollout, IDC_THICKNESS_MAP_ENABLED), 0);
    EXPECT_EQ(pb->GetInt(kThicknessMapEnabled), TRUE);
    EXPECT_TRUE(MapControlsEnabled(rollout, true));

    EXPECT_EQ(maxhost::SendCommand(rollout, IDC_THICKNESS_MAP_ENABLED), 0);
    EXPECT_EQ(pb->GetInt(kThicknessMapEnabled), FALSE);
    EXPECT_TRUE(MapControlsEnabled(rollout, false));
    EXPECT_EQ(map->GetSubTexmap(0), sub);
    EXPECT_TRUE(maxhost::IsControlEnabled(rollout, IDC_THICKNESS_MIN_EDIT));
}

TEST_F(Rollout, AScriptedSwitchWaitsForTheNextClickSetThingOrDialog) {
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();
    pb->SetValue(kThicknessMapEnabled, 0, TRUE);
    EXPECT_TRUE(MapControlsEnabled(rollout, false));

    // Showing the map again recomputes.
    rollout->SetThing(map.get());
    EXPECT_TRUE(MapControlsEnabled(rollout, true));

    pb->SetValue(kThicknessMapEnabled, 0, FALSE);
    EXPECT_TRUE(MapControlsEnabled(rollout, true));
    // A click toggles the stored (scripted) state back on and recomputes from it.
    maxhost::SendCommand(rollout, IDC_THICKNESS_MAP_ENABLED);
    EXPECT_EQ(pb->GetInt(kThicknessMapEnabled), TRUE);
    EXPECT_TRUE(MapControlsEnabled(rollout, true));
}

TEST_F(Rollout, ANewDialogShowsAScriptedSwitch) {
    {
        EditorDialog first(map.get(), &editor);
        pb->SetValue(kThicknessMapEnabled, 0, TRUE);
        EXPECT_TRUE(MapControlsEnabled(first.Rollout(), false));
    }
    EditorDialog second(map.get(), &editor);
    EXPECT_TRUE(MapControlsEnabled(second.Rollout(), true));
}

TEST_F(Rollout, ShowingAnotherMapRepointsTheProcedureAndRecomputes) {
    Owned<Texmap> other = NewNacreen();
    IParamBlock2* otherPb = other->GetParamBlock(0);
    otherPb->SetValue(kThicknessMapEnabled, 0, TRUE);
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();
    ParamMap2UserDlgProc* proc = rollout->GetUserDlgProc();
    ASSERT_NE(proc, nullptr);

    dialog.Master()->SetThing(other.get());
    EXPECT_EQ(rollout->GetUserDlgProc(), proc);
    EXPECT_EQ(rollout->GetParamBlock(), otherPb);
    EXPECT_TRUE(MapControlsEnabled(rollout, true));

    // The check box now serves the second map.
    maxhost::SendCommand(rollout, IDC_THICKNESS_MAP_ENABLED);
    EXPECT_EQ(otherPb->GetInt(kThicknessMapEnabled), FALSE);
    EXPECT_EQ(pb->GetInt(kThicknessMapEnabled), FALSE);
    EXPECT_TRUE(MapControlsEnabled(rollout, false));

    dialog.Master()->SetThing(map.get());
    EXPECT_EQ(rollout->GetParamBlock(), pb);
    EXPECT_TRUE(MapControlsEnabled(rollout, false));
}

TEST_F(Rollout, AppendsTheOutputObjectsDialog) {
    EditorDialog dialog(map.get(), &editor);
    ASSERT_EQ(dialog.Master()->NumDlgs(), 1);
    ParamDlg* output = dialog.OutputDlg();
    EXPECT_EQ(output->GetThing(), map->GetReference(kOutputRef));
    EXPECT_TRUE(map->SetDlgThing(output));
    EXPECT_FALSE(map->SetDlgThing(nullptr));
    EXPECT_FALSE(map->SetDlgThing(dialog.Master()));
}

TEST_F(Rollout, SetDlgThingRoutesOnlyTheLatestOutputDialog) {
    Owned<Texmap> other = NewNacreen();
    EditorDialog first(map.get(), &editor);
    EditorDialog second(other.get(), &editor);
    ParamDlg* firstOutput = first.OutputDlg();
    ParamDlg* secondOutput = second.OutputDlg();

    EXPECT_FALSE(map->SetDlgThing(firstOutput));
    EXPECT_EQ(firstOutput->GetThing(), map->GetReference(kOutputRef));

    EXPECT_TRUE(map->SetDlgThing(secondOutput));
    EXPECT_EQ(secondOutput->GetThing(), map->GetReference(kOutputRef));
    EXPECT_TRUE(other->SetDlgThing(secondOutput));
    EXPECT_EQ(secondOutput->GetThing(), other->GetReference(kOutputRef));
}

TEST_F(Rollout, EachLinkButtonOpensItsPageOncePerClick) {
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();
    EXPECT_EQ(maxhost::SendCommand(rollout, IDC_HOMEPAGE), 0);
    EXPECT_EQ(maxhost::SendCommand(rollout, IDC_ARTICLE), 0);
    EXPECT_EQ(maxhost::SendCommand(rollout, IDC_ARTICLE), 0);

    const std::vector<maxhost::ShellExecuteCall> calls = maxhost::ShellExecuteLog();
    ASSERT_EQ(calls.size(), 3u);
    for (const maxhost::ShellExecuteCall& call : calls) {
        EXPECT_EQ(call.hwnd, nullptr);
        EXPECT_FALSE(call.operation.has_value()); // the system's default action
        EXPECT_FALSE(call.parameters.has_value());
        EXPECT_FALSE(call.directory.has_value());
        EXPECT_EQ(call.showCommand, SW_SHOW);
        ASSERT_TRUE(call.file.has_value());
        EXPECT_EQ(call.file->rfind(L"https://", 0), 0u)
            << std::string(call.file->begin(), call.file->end());
    }
    EXPECT_NE(*calls[0].file, *calls[1].file);
    EXPECT_EQ(*calls[1].file, *calls[2].file);
    // The rollout is left as it was.
    EXPECT_TRUE(MapControlsEnabled(rollout, false));
    EXPECT_EQ(pb->GetInt(kThicknessMapEnabled), FALSE);
}

TEST_F(Rollout, TheProcedureAnswersZeroAndIgnoresOtherMessages) {
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();
    ParamMap2UserDlgProc* proc = rollout->GetUserDlgProc();
    ASSERT_NE(proc, nullptr);
    EXPECT_EQ(proc->DlgProc(0, rollout, rollout->GetHWnd(), WM_INITDIALOG, 0, 0), 0);
    EXPECT_EQ(proc->DlgProc(0, rollout, rollout->GetHWnd(), WM_DESTROY, 0, 0), 0);
    EXPECT_EQ(maxhost::SendCommand(rollout, IDC_THICKNESS_MIN_EDIT), 0);
    EXPECT_EQ(maxhost::SendCommand(rollout, IDC_GAMMA_SPIN), 0);
    EXPECT_TRUE(maxhost::ShellExecuteLog().empty());
    EXPECT_TRUE(MapControlsEnabled(rollout, false));
}

TEST_F(Rollout, LinkButtonsOpenTheirPageOnlyWhenClicked) {
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();
    for (int button : {IDC_HOMEPAGE, IDC_ARTICLE}) {
        for (WORD code : {BN_BUTTONDOWN, BN_BUTTONUP, BN_RIGHTCLICK}) {
            EXPECT_EQ(maxhost::SendCommand(rollout, button, code), 0) << button << " " << code;
        }
    }
    EXPECT_TRUE(maxhost::ShellExecuteLog().empty());
    maxhost::SendCommand(rollout, IDC_ARTICLE, BN_CLICKED);
    EXPECT_EQ(maxhost::ShellExecuteLog().size(), 1u);
}

TEST_F(Rollout, TheCheckBoxRefreshesOnEveryCommandItSends) {
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();
    ParamMap2UserDlgProc* proc = rollout->GetUserDlgProc();
    ASSERT_NE(proc, nullptr);
    // A scripted change, then a focus notification from the check box (not a click).
    pb->SetValue(kThicknessMapEnabled, 0, TRUE);
    ASSERT_TRUE(MapControlsEnabled(rollout, false));
    const WORD killFocus = 7;
    EXPECT_EQ(proc->DlgProc(0, rollout, rollout->GetHWnd(), WM_COMMAND,
                            MAKEWPARAM(IDC_THICKNESS_MAP_ENABLED, killFocus), 0),
              0);
    EXPECT_TRUE(MapControlsEnabled(rollout, true));
}

TEST_F(Rollout, TheParameterBlockRefreshesTheChangedControlOnly) {
    EditorDialog dialog(map.get(), &editor);
    IParamMap2* rollout = dialog.Rollout();
    const int hueBefore = maxhost::InvalidationCount(rollout, kHue);
    const int gammaBefore = maxhost::InvalidationCount(rollout, kGamma);
    const int mapBefore = maxhost::InvalidationCount(rollout, kThicknessMap);
    pb->SetValue(kHue, 0, 12.5f);
    EXPECT_EQ(maxhost::InvalidationCount(rollout, kHue), hueBefore + 1);
    EXPECT_EQ(maxhost::InvalidationCount(rollout, kGamma), gammaBefore);

    // A change inside the output object or the thickness map refreshes nothing.
    ConstantMonoMap* sub = ConstantMonoMap::Create(0.5f);
    map->SetSubTexmap(0, sub);
    EXPECT_EQ(maxhost::InvalidationCount(rollout, kThicknessMap), mapBefore + 1);
    const int hueNow = maxhost::InvalidationCount(rollout, kHue);
    sub->Touch();
    static_cast<MtlBase*>(map->GetReference(kOutputRef))
        ->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(maxhost::InvalidationCount(rollout, kHue), hueNow);
    EXPECT_EQ(maxhost::InvalidationCount(rollout, kThicknessMap), mapBefore + 1);
    // Refreshing controls does not touch their enable state.
    EXPECT_TRUE(MapControlsEnabled(rollout, false));
}

// A procedure installed ahead of the dialog that makes the host heap refuse the next
// allocation when the rollout opens: the one CreateParamDlg makes for its own procedure.
class StarveNextAllocation : public ParamMap2UserDlgProc {
public:
    INT_PTR DlgProc(TimeValue, IParamMap2*, HWND, UINT msg, WPARAM, LPARAM) override {
        if (msg == WM_INITDIALOG) {
            maxhost::FailNextHeapAllocations(1);
        }
        return 0;
    }
    void DeleteThis() override { delete this; }
};

TEST_F(Rollout, WithoutAProcedureTheDialogStillWorks) {
    NacreenBlockDesc()->SetUserDlgProc(0, new StarveNextAllocation);
    const std::uint64_t failuresBefore = maxhost::GetHeapCounts().failures;
    EditorDialog dialog(map.get(), &editor);
    maxhost::ClearHeapFailures();
    ASSERT_EQ(maxhost::GetHeapCounts().failures, failuresBefore + 1);
    IParamMap2* rollout = dialog.Rollout();
    ASSERT_NE(rollout, nullptr);
    EXPECT_EQ(rollout->GetUserDlgProc(), nullptr);
    EXPECT_EQ(NacreenBlockDesc()->GetUserDlgProc(0), nullptr);
    EXPECT_EQ(dialog.Master()->NumDlgs(), 1);
    // The enable state was still set once.
    EXPECT_TRUE(MapControlsEnabled(rollout, false));
    EXPECT_TRUE(maxhost::IsControlEnabled(rollout, IDC_THICKNESS_MIN_EDIT));
    // The check box still stores its value; only the refresh and the links are missing.
    maxhost::SendCommand(rollout, IDC_THICKNESS_MAP_ENABLED);
    EXPECT_EQ(pb->GetInt(kThicknessMapEnabled), TRUE);
    EXPECT_TRUE(MapControlsEnabled(rollout, false));
    maxhost::SendCommand(rollout, IDC_HOMEPAGE);
    EXPECT_TRUE(maxhost::ShellExecuteLog().empty());
}

TEST_F(Rollout, OpeningAndClosingLeavesNothingBehind) {
    {
        // Warm up whatever the host keeps for the class once.
        EditorDialog dialog(map.get(), &editor);
    }
    const std::int64_t liveBefore = maxhost::LiveHeapBlocks();
    for (int i = 0; i < 20; ++i) {
        EditorDialog dialog(map.get(), &editor);
        maxhost::SendCommand(dialog.Rollout(), IDC_THICKNESS_MAP_ENABLED);
    }
    EXPECT_EQ(maxhost::LiveHeapBlocks(), liveBefore);
    EXPECT_EQ(maxhost::OpenParamMapCount(), 0);
    EXPECT_EQ(NacreenBlockDesc()->GetUserDlgProc(0), nullptr);
}

} // namespace
} // namespace nacreen_test
