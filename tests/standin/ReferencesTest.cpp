// Reference bookkeeping: installing and releasing targets, deleting orphans, change
// notification reaching every maker, and deletion from either end of a reference.
#include <gtest/gtest.h>

#include <algorithm>

#include "StandinTestObjects.h"

namespace standin_test {
namespace {

class References : public ::testing::Test {
protected:
    void SetUp() override { aliveBefore = Node::alive; }
    void TearDown() override { EXPECT_EQ(Node::alive, aliveBefore) << "nodes leaked or lost"; }
    int aliveBefore = 0;
};

TEST_F(References, ReplaceReferenceInstallsTheTargetAndTheChangeReachesTheMaker) {
    Node* maker = new Node(2);
    Node* target = new Node(0);
    EXPECT_EQ(maker->ReplaceReference(1, target), REF_SUCCEED);
    EXPECT_EQ(maker->GetReference(1), target);
    EXPECT_TRUE(target->HasDependents());

    target->Change();
    ASSERT_EQ(maker->heard.size(), 1u);
    EXPECT_EQ(maker->heard[0], static_cast<RefMessage>(REFMSG_CHANGE));
    EXPECT_EQ(maker->senders[0], target);
    maker->DeleteMe();
}

TEST_F(References, ReplacingDeletesTheOldTargetOnlyWhenAskedAndUnreferenced) {
    Node* maker = new Node(1);
    Node* first = new Node(0);
    Node* second = new Node(0);
    maker->ReplaceReference(0, first);
    const int before = Node::alive;
    maker->ReplaceReference(0, second, TRUE);
    EXPECT_EQ(Node::alive, before - 1) << "the orphaned first target is deleted";

    Node* third = new Node(0);
    maker->ReplaceReference(0, third, FALSE);
    EXPECT_FALSE(second->HasDependents()) << "released but kept";
    second->MaybeAutoDelete();
    maker->DeleteMe();
}

TEST_F(References, ASharedTargetLivesUntilItsLastMakerLetsGo) {
    Node* a = new Node(1);
    Node* b = new Node(2);
    Node* shared = new Node(0);
    a->ReplaceReference(0, shared);
    b->ReplaceReference(0, shared);
    b->ReplaceReference(1, shared); // the same maker twice
    const int before = Node::alive;

    a->DeleteReference(0);
    b->DeleteReference(0);
    EXPECT_EQ(Node::alive, before);
    EXPECT_EQ(b->GetReference(1), shared);
    b->DeleteReference(1);
    EXPECT_EQ(Node::alive, before - 1);
    EXPECT_EQ(b->GetReference(0), nullptr);
    a->DeleteMe();
    b->DeleteMe();
}

TEST_F(References, ChangesPropagateAlongTheChainOnceToEachMaker) {
    Node* top = new Node(2);
    Node* middle = new Node(1);
    Node* leaf = new Node(0);
    middle->ReplaceReference(0, leaf);
    top->ReplaceReference(0, middle);
    top->ReplaceReference(1, leaf);

    leaf->Change();
    // Top hears it directly from the leaf, and once more relayed by the middle node.
    EXPECT_EQ(middle->heard.size(), 1u);
    ASSERT_EQ(top->heard.size(), 2u);
    EXPECT_EQ(std::count(top->senders.begin(), top->senders.end(), leaf), 1);
    EXPECT_EQ(std::count(top->senders.begin(), top->senders.end(), middle), 1);

    top->heard.clear();
    middle->reply = REF_STOP;
    leaf->Change();
    EXPECT_EQ(top->heard.size(), 1u) << "REF_STOP ends the relay through the middle node";
    top->DeleteMe();
}

TEST_F(References, NotificationWithoutPropagationStopsAtTheFirstMakers) {
    Node* top = new Node(1);
    Node* middle = new Node(1);
    Node* leaf = new Node(0);
    middle->ReplaceReference(0, leaf);
    top->ReplaceReference(0, middle);
    leaf->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, FALSE);
    EXPECT_EQ(middle->heard.size(), 1u);
    EXPECT_TRUE(top->heard.empty());
    top->DeleteMe();
}

TEST_F(References, AMakerMayDropItsReferenceWhileBeingNotified) {
    Node* a = new Node(1);
    Node* b = new Node(1);
    Node* target = new Node(0);
    a->ReplaceReference(0, target);
    b->ReplaceReference(0, target);
    a->onNotify = [&] { b->DeleteReference(0); };
    b->onNotify = [&] { ADD_FAILURE() << "b let go before it was told"; };
    target->Change();
    EXPECT_EQ(b->GetReference(0), nullptr);
    a->DeleteMe();
    b->DeleteMe();
}

TEST_F(References, DeletingAMakerReleasesAndDeletesWhatOnlyItHeld) {
    Node* maker = new Node(2);
    Node* child = new Node(1);
    Node* grandchild = new Node(0);
    child->ReplaceReference(0, grandchild);
    maker->ReplaceReference(0, child);
    const int before = Node::alive;
    maker->DeleteMe();
    EXPECT_EQ(Node::alive, before - 3);
}

TEST_F(References, DeleteThisOnAMakerThatStillHoldsTargetsLeavesNothingBehind) {
    Node* maker = new Node(1);
    Node* keeper = new Node(1);
    Node* shared = new Node(0);
    maker->ReplaceReference(0, shared);
    keeper->ReplaceReference(0, shared);
    maker->DeleteThis();
    EXPECT_EQ(keeper->GetReference(0), shared);
    shared->Change(); // must not reach the deleted maker
    EXPECT_EQ(keeper->heard.size(), 1u);
    keeper->DeleteMe();
}

TEST_F(References, DeletingATargetEmptiesTheSlotsThatHoldIt) {
    Node* maker = new Node(2);
    Node* target = new Node(0);
    maker->ReplaceReference(0, target);
    maker->ReplaceReference(1, target);
    target->DeleteMe();
    EXPECT_EQ(maker->GetReference(0), nullptr);
    EXPECT_EQ(maker->GetReference(1), nullptr);
    ASSERT_FALSE(maker->heard.empty());
    EXPECT_EQ(maker->heard.back(), static_cast<RefMessage>(REFMSG_TARGET_DELETED));
    maker->DeleteMe();
}

TEST_F(References, ReferencesThatWouldFormACycleAreRefused) {
    Node* a = new Node(1);
    Node* b = new Node(1);
    a->ReplaceReference(0, b);
    EXPECT_EQ(b->ReplaceReference(0, a), REF_FAIL);
    EXPECT_EQ(b->GetReference(0), nullptr);
    EXPECT_EQ(a->ReplaceReference(0, a), REF_FAIL);
    EXPECT_EQ(a->GetReference(0), b);
    a->DeleteMe();
}

TEST_F(References, SlotsOutsideTheMakerAreRefused) {
    Node* maker = new Node(1);
    Node* target = new Node(0);
    EXPECT_EQ(maker->ReplaceReference(1, target), REF_FAIL);
    EXPECT_EQ(maker->ReplaceReference(-1, target), REF_FAIL);
    EXPECT_EQ(maker->DeleteReference(5), REF_FAIL);
    EXPECT_FALSE(target->HasDependents());
    target->MaybeAutoDelete();
    maker->DeleteMe();
}

TEST_F(References, CloneRefGivesOneCloneOfEachTargetWithinOneOperation) {
    Node* root = new Node(2);
    Node* shared = new Node(0);
    root->ReplaceReference(0, shared);
    root->ReplaceReference(1, shared);

    auto* copy = static_cast<Node*>(CloneThroughHost(root));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->GetReference(0), shared);
    EXPECT_EQ(copy->GetReference(0), copy->GetReference(1)) << "shared stays shared";

    RemapDir& remap = *NewRemapDir();
    RefTargetHandle first = remap.CloneRef(shared);
    EXPECT_EQ(remap.CloneRef(shared), first);
    EXPECT_EQ(remap.FindMapping(shared), first);
    EXPECT_EQ(remap.CloneRef(nullptr), nullptr);
    remap.DeleteThis();

    RemapDir& another = *NewRemapDir();
    RefTargetHandle second = another.CloneRef(shared);
    EXPECT_NE(second, first) << "a new operation clones again";
    another.DeleteThis();

    first->MaybeAutoDelete();
    second->MaybeAutoDelete();
    copy->DeleteMe();
    root->DeleteMe();
}

} // namespace
} // namespace standin_test
