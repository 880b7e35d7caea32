// The undo framework on its own: actions that log what they do, groups, and
// the list's position bookkeeping.
#include "HuxLib/HUXEDIT/HuxUndoList.h"
#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "HuxLib/HUXWIN/HuxMessageLog.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace HuxEditor;

namespace {

// An action that adds its own name to a shared log on every do and undo, and
// can be told to fail.
class LoggingAction : public HuxEditAction {
public:
    LoggingAction(std::vector<std::string>& log, std::string name, bool createdDone = true)
        : HuxEditAction(createdDone), log_(log), name_(std::move(name)) {}
    ~LoggingAction() override { log_.push_back("delete " + name_); }
    bool fail = false;

protected:
    bool DoAction() override { log_.push_back("do " + name_); return !fail; }
    bool UndoAction() noexcept override { log_.push_back("undo " + name_); return !fail; }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

// A list that counts its change notifications and keeps its failure messages.
class WatchedList : public HuxUndoList {
public:
    void OnChange(HuxEditGroup* current) override { changes.push_back(current); }
    std::vector<HuxEditGroup*> changes;
    std::vector<std::string> failures;

protected:
    void ReportFailure(const char* message) override { failures.emplace_back(message); }
};

// A step whose undo or redo can be told to report failure.
class FailingGroup : public HuxEditGroup {
public:
    bool failUndo = false;
    bool failRedo = false;
    bool Undo() override { return !failUndo && HuxEditGroup::Undo(); }
    bool Redo() override { return !failRedo && HuxEditGroup::Redo(); }
};

class UndoListTest : public testing::Test {
protected:
    // Records one step holding one already-done action, the way the effect does.
    void Record(const std::string& name)
    {
        auto group = std::make_unique<HuxEditGroup>();
        list.BeginGroup(group.get());
        group->SetName(name);
        group->Add(std::make_unique<LoggingAction>(log, name));
        ASSERT_TRUE(list.CommitGroup(group));
        EXPECT_EQ(group, nullptr);
    }

    std::vector<std::string> log;
    WatchedList list;
};

} // namespace

TEST(EditActionTest, DoAndUndoFollowTheDoneFlag)
{
    std::vector<std::string> log;
    LoggingAction action(log, "a", false);
    EXPECT_FALSE(action.IsDone());
    EXPECT_FALSE(action.Undo());
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(action.Do());
    EXPECT_TRUE(action.IsDone());
    EXPECT_EQ(action.DoneCount(), 1);
    EXPECT_FALSE(action.Do());
    EXPECT_EQ(action.DoneCount(), 1);
    EXPECT_TRUE(action.Undo());
    EXPECT_TRUE(action.Do());
    EXPECT_EQ(action.DoneCount(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"do a", "undo a", "do a"}));
}

TEST(EditActionTest, AFailingActionKeepsItsState)
{
    std::vector<std::string> log;
    LoggingAction action(log, "a", true);
    EXPECT_TRUE(action.IsDone());
    EXPECT_EQ(action.DoneCount(), 0);
    action.fail = true;
    EXPECT_FALSE(action.Undo());
    EXPECT_TRUE(action.IsDone());
    action.fail = false;
    ASSERT_TRUE(action.Undo());
    action.fail = true;
    EXPECT_FALSE(action.Do());
    EXPECT_FALSE(action.IsDone());
    EXPECT_EQ(action.DoneCount(), 0);
}

TEST(EditGroupTest, UndoRunsBackwardsAndRedoForwards)
{
    std::vector<std::string> log;
    {
        HuxEditGroup group;
        group.SetName("Edit grid");
        group.Add(std::make_unique<LoggingAction>(log, "1"));
        group.Add(std::make_unique<LoggingAction>(log, "2"));
        group.Commit();
        EXPECT_TRUE(group.IsCommitted());
        EXPECT_EQ(group.ActionCount(), 2);
        EXPECT_TRUE(group.Undo());
        EXPECT_TRUE(group.Redo());
    }
    EXPECT_EQ(log, (std::vector<std::string>{"undo 2", "undo 1", "do 1", "do 2", "delete 1", "delete 2"}));
}

TEST(EditGroupTest, DeletingAnUncommittedGroupRollsItBack)
{
    std::vector<std::string> log;
    {
        HuxEditGroup group;
        group.Add(std::make_unique<LoggingAction>(log, "1"));
        group.Add(std::make_unique<LoggingAction>(log, "2"));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"undo 2", "undo 1", "delete 1", "delete 2"}));
}

// Receivers hear only of committed steps; one that would fail must not be
// reached from the destructor, where a failure would end the process.
TEST(EditGroupTest, RollingBackAnUncommittedGroupTellsNoReceiver)
{
    struct ThrowingReceiver : HuxUpdateReceiver {
        void OnUpdateHints(const HuxUpdateHintList&) override { throw std::runtime_error("redraw failed"); }
    } receiver;
    std::vector<std::string> log;
    {
        HuxEditGroup group;
        auto hint = std::make_unique<HuxUpdateHint>();
        hint->AddReceiver(&receiver);
        group.Hints().Add(std::move(hint));
        group.Add(std::make_unique<LoggingAction>(log, "1"));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"undo 1", "delete 1"}));

    HuxEditGroup committed;
    auto hint = std::make_unique<HuxUpdateHint>();
    hint->AddReceiver(&receiver);
    committed.Hints().Add(std::move(hint));
    EXPECT_THROW(committed.Commit(), std::runtime_error) << "a committed step does tell it";
}

TEST(EditGroupTest, AddEmptiesTheHolder)
{
    std::vector<std::string> log;
    HuxEditGroup group;
    std::unique_ptr<HuxEditAction> holder = std::make_unique<LoggingAction>(log, "1");
    group.Add(std::move(holder));
    EXPECT_EQ(holder, nullptr);
    EXPECT_EQ(group.ActionCount(), 1);
    group.Commit();
}

TEST_F(UndoListTest, RecordingAfterUndoDiscardsTheRedoPart)
{
    Record("a");
    Record("b");
    Record("c");
    list.Undo();
    list.Undo();
    EXPECT_EQ(list.Position(), 1);
    log.clear();
    Record("d");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Position(), 2);
    EXPECT_FALSE(list.CanRedo());
    EXPECT_TRUE(list.CanUndo());
    EXPECT_EQ(list.Entry(0).Name(), "a");
    EXPECT_EQ(list.Entry(1).Name(), "d");
    // The undone steps are deleted newest first and are not undone again.
    EXPECT_EQ(log, (std::vector<std::string>{"delete c", "delete b"}));
}

TEST_F(UndoListTest, UndoToTheStartAndRedoToTheEnd)
{
    Record("a");
    Record("b");
    log.clear();
    list.Undo();
    list.Undo();
    EXPECT_EQ(list.Position(), 0);
    EXPECT_FALSE(list.CanUndo());
    list.Undo();
    list.Redo();
    list.Redo();
    EXPECT_EQ(list.Position(), 2);
    list.Redo();
    EXPECT_EQ(list.Position(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"undo b", "undo a", "do a", "do b"}));
}

TEST_F(UndoListTest, OnChangeFollowsEveryCommitUndoAndRedo)
{
    Record("a");
    Record("b");
    list.Undo();
    list.Undo();
    list.Undo(); // nothing left to undo
    list.Redo();
    ASSERT_EQ(list.changes.size(), 5u);
    EXPECT_EQ(list.changes[0]->Name(), "a");
    EXPECT_EQ(list.changes[1]->Name(), "b");
    EXPECT_EQ(list.changes[2]->Name(), "b");
    EXPECT_EQ(list.changes[3]->Name(), "a");
    EXPECT_EQ(list.changes[4]->Name(), "a");
}

TEST_F(UndoListTest, CommitOfAnotherGroupIsRefusedAndRolledBackByItsHolder)
{
    auto open = std::make_unique<HuxEditGroup>();
    list.BeginGroup(open.get());
    {
        auto stranger = std::make_unique<HuxEditGroup>();
        stranger->Add(std::make_unique<LoggingAction>(log, "x"));
        EXPECT_FALSE(list.CommitGroup(stranger));
        ASSERT_NE(stranger, nullptr);
        EXPECT_EQ(list.Count(), 0);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"undo x", "delete x"}));
    EXPECT_TRUE(list.changes.empty());
    // The open group can still be committed.
    EXPECT_TRUE(list.CommitGroup(open));
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(UndoListTest, CancelForgetsOnlyTheOpenGroup)
{
    HuxEditGroup open;
    HuxEditGroup other;
    list.BeginGroup(&open);
    EXPECT_FALSE(list.CancelGroup(&other));
    EXPECT_TRUE(list.CancelGroup(&open));
    EXPECT_FALSE(list.CancelGroup(&open));
    std::unique_ptr<HuxEditGroup> holder = std::make_unique<HuxEditGroup>();
    list.BeginGroup(holder.get());
    list.CancelGroup(holder.get());
    EXPECT_FALSE(list.CommitGroup(holder));
}

TEST_F(UndoListTest, AFailingUndoKeepsThePositionAndTellsTheUser)
{
    Record("a");
    auto failing = std::make_unique<FailingGroup>();
    failing->failUndo = true;
    std::unique_ptr<HuxEditGroup> holder = std::move(failing);
    list.BeginGroup(holder.get());
    ASSERT_TRUE(list.CommitGroup(holder));
    list.changes.clear();
    list.Undo();
    EXPECT_EQ(list.Position(), 2);
    EXPECT_EQ(list.changes.size(), 1u);
    EXPECT_EQ(list.failures, (std::vector<std::string>{"Error during Undo"}));
}

TEST_F(UndoListTest, AFailingRedoKeepsThePositionAndTellsTheUser)
{
    auto failing = std::make_unique<FailingGroup>();
    FailingGroup* step = failing.get();
    std::unique_ptr<HuxEditGroup> holder = std::move(failing);
    list.BeginGroup(holder.get());
    ASSERT_TRUE(list.CommitGroup(holder));
    list.Undo();
    ASSERT_EQ(list.Position(), 0);
    step->failRedo = true;
    list.changes.clear();
    list.Redo();
    EXPECT_EQ(list.Position(), 0);
    EXPECT_EQ(list.changes.size(), 1u);
    EXPECT_EQ(list.failures, (std::vector<std::string>{"Error during Redo"}));
    step->failRedo = false;
    list.Redo();
    EXPECT_EQ(list.Position(), 1);
}

TEST_F(UndoListTest, ClearDeletesNewestFirst)
{
    Record("a");
    Record("b");
    list.Undo();
    log.clear();
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Position(), 0);
    EXPECT_FALSE(list.CanUndo());
    EXPECT_FALSE(list.CanRedo());
    EXPECT_EQ(log, (std::vector<std::string>{"delete b", "delete a"}));
}

TEST_F(UndoListTest, DestructionDeletesNewestFirst)
{
    std::vector<std::string> own;
    {
        HuxUndoList local;
        for (const char* name : {"a", "b", "c"}) {
            auto group = std::make_unique<HuxEditGroup>();
            local.BeginGroup(group.get());
            group->Add(std::make_unique<LoggingAction>(own, name));
            local.CommitGroup(group);
        }
        own.clear();
    }
    EXPECT_EQ(own, (std::vector<std::string>{"delete c", "delete b", "delete a"}));
}

// The list's own report: a message box owned by whatever window the owner
// source names when the failure happens.
TEST(UndoListFailureTest, TheMessageBoxIsOwnedByTheFailureOwnersWindow)
{
    HuxClearMessageLog();
    HuxUndoList list;
    intptr_t owner = 0x51;
    list.SetFailureOwner([&] { return owner; });
    auto group = std::make_unique<FailingGroup>();
    FailingGroup* step = group.get();
    list.BeginGroup(group.get());
    std::unique_ptr<HuxEditGroup> held = std::move(group);
    ASSERT_TRUE(list.CommitGroup(held));
    step->failUndo = true;
    list.Undo();
    owner = 0x52;
    step->failUndo = false;
    list.Undo();
    step->failRedo = true;
    list.Redo();
    ASSERT_EQ(HuxMessageLog().size(), 2u);
    EXPECT_EQ(HuxMessageLog()[0].owner, 0x51);
    EXPECT_EQ(HuxMessageLog()[0].text, "Error during Undo");
    EXPECT_EQ(HuxMessageLog()[0].flags, kHuxMbOk);
    EXPECT_EQ(HuxMessageLog()[1].owner, 0x52);
    EXPECT_EQ(HuxMessageLog()[1].text, "Error during Redo");

    HuxUndoList unowned;
    auto lone = std::make_unique<FailingGroup>();
    lone->failUndo = true;
    unowned.BeginGroup(lone.get());
    std::unique_ptr<HuxEditGroup> loneHeld = std::move(lone);
    ASSERT_TRUE(unowned.CommitGroup(loneHeld));
    unowned.Undo();
    ASSERT_EQ(HuxMessageLog().size(), 3u);
    EXPECT_EQ(HuxMessageLog()[2].owner, 0);
}
