// Who owns the message that an undo or redo failed: the open editor's window,
// or the host's when the editor has none, so that the box never hides
// behind the editor.
#include "EffectTestSupport.h"

#include "HuxLib/HUXEDIT/HuxEditGroup.h"
#include "HuxLib/HUXWIN/HuxMessageLog.h"

#include <memory>

using namespace EffectTest;

namespace {

// A step whose undo and redo report failure.
class RefusingGroup : public HuxEditor::HuxEditGroup {
public:
    bool Undo() override { return false; }
    bool Redo() override { return false; }
};

class WindowedEditor : public FakeEditor {
public:
    WindowedEditor(intptr_t window, std::function<int(CPSPlimPluginApp&)> session)
        : FakeEditor(std::move(session)), window_(window) {}
    intptr_t WindowHandle() const override { return window_; }

private:
    intptr_t window_;
};

// Records a refusing step in the application's own list and undoes it.
void FailAnUndo(CPSPlimPluginApp& app)
{
    auto group = std::make_unique<RefusingGroup>();
    app.UndoList().BeginGroup(group.get());
    std::unique_ptr<HuxEditor::HuxEditGroup> step = std::move(group);
    ASSERT_TRUE(app.UndoList().CommitGroup(step));
    app.Undo();
}

struct EditFailureOwnerTest : ::testing::Test {
    EditFailureOwnerTest()
    {
        SquelmHost::HostOptions options;
        options.ownerWindow = 0x2020;
        host = std::make_unique<SquelmHost::TestHost>(Entry(), options);
        host->SetImage(Gradient(24, 16));
        HuxClearMessageLog();
    }

    // Runs one cancelled session in an editor with this window.
    void RunIn(intptr_t window, std::function<void(CPSPlimPluginApp&)> session)
    {
        WindowedEditor editor(window, [&](CPSPlimPluginApp& app) {
            app.SetPreviewSize(24, 16);
            session(app);
            return kHuxIdCancel;
        });
        EditorInstallation installed(editor);
        host->RunFilter();
        EXPECT_EQ(editor.runs, 1);
    }

    std::unique_ptr<SquelmHost::TestHost> host;
};

} // namespace

TEST_F(EditFailureOwnerTest, TheOpenEditorsWindowOwnsTheMessage)
{
    RunIn(0x7070, [](CPSPlimPluginApp& app) { FailAnUndo(app); });
    ASSERT_EQ(HuxMessageLog().size(), 1u);
    EXPECT_EQ(HuxMessageLog()[0].owner, 0x7070);
    EXPECT_EQ(HuxMessageLog()[0].text, "Error during Undo");
    EXPECT_EQ(HuxMessageLog()[0].flags, kHuxMbOk);
}

TEST_F(EditFailureOwnerTest, AnEditorWithoutAWindowLeavesItToTheHostsWindow)
{
    intptr_t ownerDuring = -1;
    RunIn(0, [&](CPSPlimPluginApp& app) {
        FailAnUndo(app);
        ownerDuring = app.MessageOwner();
    });
    ASSERT_EQ(HuxMessageLog().size(), 1u);
    EXPECT_EQ(HuxMessageLog()[0].owner, 0x2020);
    EXPECT_EQ(ownerDuring, 0x2020);
}

TEST_F(EditFailureOwnerTest, WithoutAnOpenEditorOrACallThereIsNoOwner)
{
    RunIn(0x7070, [](CPSPlimPluginApp&) {});
    EXPECT_EQ(TheApp().OpenEditor(), nullptr);
    EXPECT_EQ(TheApp().MessageOwner(), 0);
}
