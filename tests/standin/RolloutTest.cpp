// Material-editor rollouts: automatic rollouts bound to the block, user dialog procedures
// owned and deleted by the host, check-box commands, enable state and secondary dialogs.
#include <gtest/gtest.h>

#include <algorithm>

#include "StandinTestObjects.h"
#include "maxhost/Host.h"

namespace standin_test {
namespace {

class Rollouts : public ::testing::Test {
protected:
    void SetUp() override {
        TestProc::deleted = 0;
        TestProc::messages.clear();
        TestProc::commandIds.clear();
        TestProc::enabledSeen = -1;
        openBefore = maxhost::OpenParamMapCount();
        map = new TestMap();
    }
    void TearDown() override {
        map->DeleteMe();
        EXPECT_EQ(maxhost::OpenParamMapCount(), openBefore) << "rollouts left open";
        EXPECT_EQ(TestMapBlock().GetUserDlgProc(0), nullptr) << "no procedure left behind";
    }
    IParamMap2* OpenedMap(ParamDlg* dlg) { return static_cast<IAutoMParamDlg*>(dlg)->GetMap(); }

    maxhost::MtlParamsStub editor;
    TestMap* map = nullptr;
    int openBefore = 0;
};

TEST_F(Rollouts, TheRolloutIsBoundToTheMapsBlockAndListsItsControls) {
    ParamDlg* dlg = map->CreateParamDlg(nullptr, &editor);
    ASSERT_NE(dlg, nullptr);
    IParamMap2* pmap = OpenedMap(dlg);
    ASSERT_NE(pmap, nullptr);
    EXPECT_EQ(pmap->GetParamBlock(), map->pblock);
    EXPECT_EQ(map->pblock->GetMap(0), pmap);
    EXPECT_EQ(pmap->GetParamBlock()->GetOwner(), map);
    EXPECT_EQ(pmap->GetDesc(), &TestMapBlock());
    EXPECT_EQ(TestMapDesc()->GetParamMap(&TestMapBlock()), pmap);
    std::vector<int> ids = maxhost::RolloutControlIds(pmap);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{kAmountEdit, kAmountSpin, kEnabledCheck, kSubmapButton,
                                     kLinkButton}))
        << "the bound controls and the template's other one";
    EXPECT_EQ(static_cast<IAutoMParamDlg*>(dlg)->NumDlgs(), 1) << "the output's dialog";
    EXPECT_EQ(pmap->GetUserDlgProc(), TestMapBlock().GetUserDlgProc(0));
    dlg->DeleteThis();
    EXPECT_EQ(map->pblock->GetMap(0), nullptr);
    EXPECT_EQ(TestProc::deleted, 1) << "the host deletes the procedure with the rollout";
    EXPECT_EQ(TestProc::messages.back(), static_cast<UINT>(WM_DESTROY));
}

TEST_F(Rollouts, EnableSetsEveryControlOfTheParameter) {
    ParamDlg* dlg = map->CreateParamDlg(nullptr, &editor);
    IParamMap2* pmap = OpenedMap(dlg);
    EXPECT_TRUE(maxhost::IsControlEnabled(pmap, kAmountEdit));
    pmap->Enable(kAmount, FALSE, 0);
    EXPECT_FALSE(maxhost::IsControlEnabled(pmap, kAmountEdit));
    EXPECT_FALSE(maxhost::IsControlEnabled(pmap, kAmountSpin));
    EXPECT_TRUE(maxhost::IsControlEnabled(pmap, kEnabledCheck)) << "others keep their state";
    pmap->Enable(kAmount, TRUE, 0);
    EXPECT_TRUE(maxhost::IsControlEnabled(pmap, kAmountSpin));
    EXPECT_FALSE(maxhost::IsControlEnabled(pmap, 9999)) << "no such control";
    dlg->DeleteThis();
}

TEST_F(Rollouts, ACheckBoxClickWritesTheParameterBeforeTheProcedureHearsIt) {
    ParamDlg* dlg = map->CreateParamDlg(nullptr, &editor);
    IParamMap2* pmap = OpenedMap(dlg);
    maxhost::SendCommand(pmap, kEnabledCheck);
    EXPECT_EQ(map->pblock->GetInt(kEnabled), TRUE);
    EXPECT_EQ(TestProc::enabledSeen, TRUE);
    maxhost::SendCommand(pmap, kEnabledCheck);
    EXPECT_EQ(map->pblock->GetInt(kEnabled), FALSE);
    EXPECT_EQ(TestProc::enabledSeen, FALSE);

    maxhost::SendCommand(pmap, kLinkButton);
    EXPECT_EQ(TestProc::commandIds.back(), kLinkButton) << "plain buttons reach the procedure";
    pmap->Enable(kEnabled, FALSE);
    maxhost::SendCommand(pmap, kEnabledCheck);
    EXPECT_EQ(map->pblock->GetInt(kEnabled), FALSE) << "a disabled check box sends nothing";
    EXPECT_EQ(TestProc::commandIds.size(), 3u);
    dlg->DeleteThis();
}

TEST_F(Rollouts, InvalidateUIReachesTheOpenRolloutOfTheParameter) {
    ParamDlg* dlg = map->CreateParamDlg(nullptr, &editor);
    IParamMap2* pmap = OpenedMap(dlg);
    const int before = maxhost::InvalidationCount(pmap, kEnabled);
    map->pblock->SetValue(kEnabled, 0, TRUE); // the test map refreshes the changed control
    EXPECT_EQ(maxhost::InvalidationCount(pmap, kEnabled), before + 1);
    TestMapDesc()->InvalidateUI(&TestMapBlock(), kAmount);
    EXPECT_EQ(maxhost::InvalidationCount(pmap, kAmount), 1);
    dlg->DeleteThis();
}

TEST_F(Rollouts, ReplacingTheProcedureDeletesTheOldOne) {
    ParamDlg* dlg = map->CreateParamDlg(nullptr, &editor);
    ParamMap2UserDlgProc* first = TestMapBlock().GetUserDlgProc(0);
    auto* second = new TestProc();
    TestMapBlock().SetUserDlgProc(0, second);
    EXPECT_EQ(TestProc::deleted, 1);
    EXPECT_EQ(OpenedMap(dlg)->GetUserDlgProc(), second);
    EXPECT_NE(first, static_cast<ParamMap2UserDlgProc*>(second));
    TestMapBlock().SetUserDlgProc(0, second); // the same one again: nothing happens
    EXPECT_EQ(TestProc::deleted, 1);
    dlg->DeleteThis();
    EXPECT_EQ(TestProc::deleted, 2);
}

TEST_F(Rollouts, AProcedureInstalledWithNoRolloutOpenIsKeptAndThenAdopted) {
    TestMapBlock().SetUserDlgProc(0, new TestProc());
    EXPECT_EQ(TestProc::deleted, 0);
    TestMapBlock().SetUserDlgProc(0, nullptr);
    EXPECT_EQ(TestProc::deleted, 1) << "replaced while held by the descriptor";

    auto* waiting = new TestProc();
    TestMapBlock().SetUserDlgProc(0, waiting);
    IAutoMParamDlg* master = TestMapDesc()->CreateParamDlgs(nullptr, &editor, map);
    EXPECT_EQ(master->GetMap()->GetUserDlgProc(), waiting);
    EXPECT_EQ(TestProc::messages.front(), static_cast<UINT>(WM_INITDIALOG));
    master->DeleteThis();
    EXPECT_EQ(TestProc::deleted, 2);
}

TEST_F(Rollouts, SetThingRoutesTheRolloutAndSecondaryDialogsToAnotherMap) {
    ParamDlg* dlg = map->CreateParamDlg(nullptr, &editor);
    auto* master = static_cast<IAutoMParamDlg*>(dlg);
    ParamDlg* outputDlg = master->GetDlg(0);
    ASSERT_EQ(outputDlg, TestMap::outputDlg);
    EXPECT_EQ(outputDlg->GetThing(), map->texout);

    TestMap* other = new TestMap();
    dlg->SetThing(other);
    EXPECT_EQ(dlg->GetThing(), other);
    EXPECT_EQ(master->GetMap()->GetParamBlock(), other->pblock);
    EXPECT_EQ(static_cast<TestProc*>(master->GetMap()->GetUserDlgProc())->thing, other);
    EXPECT_EQ(outputDlg->GetThing(), other->texout) << "routed by the map's SetDlgThing";
    EXPECT_EQ(dlg->ClassID(), TestMapDesc()->ClassID());
    dlg->DeleteThis();
    other->DeleteMe();
}

TEST_F(Rollouts, SecondaryDialogsAreKeptAndDeletedWithTheMaster) {
    IAutoMParamDlg* master = TestMapDesc()->CreateParamDlgs(nullptr, &editor, map);
    master->AddDlg(map->texout->CreateParamDlg(nullptr, &editor));
    master->AddDlg(nullptr);
    EXPECT_EQ(master->NumDlgs(), 1);
    EXPECT_EQ(master->GetDlg(1), nullptr);
    master->DeleteThis();
}

TEST_F(Rollouts, TwoEditorsAtOnceEachKeepTheirOwnProcedure) {
    ParamDlg* first = map->CreateParamDlg(nullptr, &editor);
    ParamDlg* second = map->CreateParamDlg(nullptr, &editor);
    EXPECT_NE(OpenedMap(first)->GetUserDlgProc(), OpenedMap(second)->GetUserDlgProc());
    EXPECT_EQ(TestMapDesc()->GetParamMap(&TestMapBlock()), OpenedMap(second));
    first->DeleteThis();
    EXPECT_EQ(TestProc::deleted, 1);
    second->DeleteThis();
    EXPECT_EQ(TestProc::deleted, 2);
}

} // namespace
} // namespace standin_test
