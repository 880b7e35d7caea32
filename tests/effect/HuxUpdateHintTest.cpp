// The hint pass that an undo step runs after commit, undo and redo.
#include "HuxLib/HUXEDIT/HuxEditGroup.h"

#include <gtest/gtest.h>

#include <vector>

using namespace HuxEditor;

namespace {

struct CountingReceiver : HuxUpdateReceiver {
    void OnUpdateHints(const HuxUpdateHintList& hints) override
    {
        directions.push_back(hints.IsUndoing());
        hintCounts.push_back(hints.Count());
    }
    std::vector<bool> directions;
    std::vector<int32_t> hintCounts;
};

std::unique_ptr<HuxUpdateHint> HintFor(std::initializer_list<HuxUpdateReceiver*> receivers)
{
    auto hint = std::make_unique<HuxUpdateHint>();
    for (HuxUpdateReceiver* receiver : receivers)
        hint->AddReceiver(receiver);
    return hint;
}

} // namespace

TEST(UpdateHintTest, EachReceiverIsToldOncePerPassWithTheDirection)
{
    CountingReceiver first;
    CountingReceiver second;
    HuxEditGroup group;
    group.Hints().Add(HintFor({&first, &second}));
    group.Hints().Add(HintFor({&second, &first}));
    group.Commit();
    group.Undo();
    group.Redo();
    EXPECT_EQ(first.directions, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(second.directions, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(group.Hints().IsUndoing());
}

TEST(UpdateHintTest, DiscardedHintsGoAfterThePass)
{
    CountingReceiver receiver;
    HuxUpdateHintList hints;
    hints.Add(HintFor({&receiver}));
    hints.Add(HintFor({&receiver}));
    hints.Add(HintFor({&receiver}));
    hints.SetDiscardCount(2);
    hints.NotifyReceivers(true);
    EXPECT_EQ(receiver.hintCounts, (std::vector<int32_t>{3}));
    EXPECT_EQ(hints.Count(), 1);
    EXPECT_EQ(hints.DiscardCount(), 0);
    // A count beyond the list empties it and no more.
    hints.SetDiscardCount(5);
    hints.NotifyReceivers(false);
    EXPECT_EQ(hints.Count(), 0);
}

TEST(UpdateHintTest, APlainHintAbsorbsNothing)
{
    HuxUpdateHint a;
    HuxUpdateHint b;
    EXPECT_FALSE(a.Absorb(b));
}
