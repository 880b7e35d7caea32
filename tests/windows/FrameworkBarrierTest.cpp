// The exception barrier of the window procedures: a failure in a message
// handler ends the dialog and arrives, unchanged, on the stack that called
// DoModal; inside a filter run the dispatch turns it into the host's result.
#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <stdexcept>

#include "InProcessPlugin.h"
#include "FrameworkTestDialog.h"
#include "HuxLib/HUXUTIL/HuxException.h"
#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "testhost/TestHost.h"

namespace {

using FrameworkTest::RunDialog;
using FrameworkTest::TestDialog;
using SquelmHost::WindowAutomation;

constexpr uintptr_t kUnmappedAddress = 0x10; // never mapped in any process
volatile int* volatile g_badPointer = reinterpret_cast<volatile int*>(kUnmappedAddress);
volatile int g_sink = 0;

// Clicks Action and waits until the dialog is gone.
void ClickActionAndWait(const WindowAutomation& automation, intptr_t window)
{
    automation.PressButton(window, IDC_ACTION);
    if (!automation.WaitForClose(window))
        throw std::runtime_error("the failing handler did not end the dialog");
}

TEST(FrameworkBarrier, AFailingHandlerEndsTheDialogAndDoModalRethrowsIt)
{
    TestDialog dialog;
    dialog.onAction = [] { throw std::runtime_error("handler failed"); };
    HWND window = nullptr;
    dialog.onInit = [&] { window = dialog.m_hWnd; };
    try {
        RunDialog(dialog, ClickActionAndWait);
        FAIL() << "DoModal returned";
    } catch (const std::runtime_error& failure) {
        EXPECT_STREQ(failure.what(), "handler failed");
    }
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.okCalls + dialog.cancelCalls, 0);

    // The thread is clean again: the next dialog runs normally.
    TestDialog next;
    EXPECT_EQ(RunDialog(next, [](const WindowAutomation& a, intptr_t w) { a.PressButton(w, IDOK); }), IDOK);
}

TEST(FrameworkBarrier, OutOfMemoryStaysOutOfMemory)
{
    TestDialog dialog;
    dialog.onAction = [] { throw std::bad_alloc(); };
    EXPECT_THROW(RunDialog(dialog, ClickActionAndWait), std::bad_alloc);

    TestDialog host;
    host.onAction = [] { throw HuxOSErr(-108); };
    try {
        RunDialog(host, ClickActionAndWait);
        FAIL() << "DoModal returned";
    } catch (HuxOSErr code) {
        EXPECT_EQ(code.code, -108);
    }
}

TEST(FrameworkBarrier, AFailureDuringInitialisationEndsTheDialogBeforeItShows)
{
    TestDialog dialog;
    dialog.onInit = [] { throw std::runtime_error("no init"); };
    EXPECT_THROW(dialog.DoModal(), std::runtime_error);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(FrameworkBarrier, AFailureInANestedDialogEndsBothLoops)
{
    TestDialog outer;
    HWND outerWindow = nullptr;
    outer.onInit = [&] { outerWindow = outer.m_hWnd; };
    outer.onAction = [&] {
        TestDialog inner(&outer);
        inner.onInit = [] { throw std::logic_error("inner failed"); };
        inner.DoModal();
    };
    try {
        RunDialog(outer, ClickActionAndWait);
        FAIL() << "DoModal returned";
    } catch (const std::logic_error& failure) {
        EXPECT_STREQ(failure.what(), "inner failed");
    }
    EXPECT_FALSE(IsWindow(outerWindow));
}

// The editor of the in-process application: the test dialog, owned by the
// host's window, with the Action button doing what the test sets.
class DialogEditor : public PSPlimEditor {
public:
    std::function<void()> action;
    int RunModal(CPSPlimPluginApp& app) override
    {
        TestDialog dialog(reinterpret_cast<HWND>(app.OwnerWindow()));
        dialog.onAction = action;
        return static_cast<int>(dialog.DoModal());
    }
};


class FilterRunWithDialog : public testing::Test {
protected:
    FilterRunWithDialog()
    {
        plugin_ = std::make_unique<InProcessPlugin>(&editor_);
        app_ = &plugin_->App();
        host_ = &plugin_->Host();
        host_->SetImage(SquelmHost::RgbImage(6, 4, 90));
    }

    // A whole filter run; `script` acts on the editor dialog.
    template <class Script>
    SquelmHost::RunResult Run(Script script)
    {
        SquelmHost::RunResult result;
        SquelmHost::AutomationThread thread([script] {
            const WindowAutomation automation;
            const intptr_t window =
                automation.WaitForWindow(WindowAutomation::kDialogClass, FrameworkTest::kCaption);
            if (!window)
                throw std::runtime_error("the editor did not appear");
            script(automation, window);
        });
        result = host_->RunFilter();
        thread.Join();
        return result;
    }

    DialogEditor editor_;
    std::unique_ptr<InProcessPlugin> plugin_;
    CPSPlimPluginApp* app_ = nullptr;
    SquelmHost::TestHost* host_ = nullptr;
};

TEST_F(FilterRunWithDialog, AnAccessViolationInAHandlerEndsStartWithMinusOneAndTheNextRunWorks)
{
    editor_.action = [] { g_sink = *g_badPointer; };
    const SquelmHost::RunResult faulted = Run(ClickActionAndWait);
    EXPECT_EQ(faulted.result, -1);
    EXPECT_EQ(faulted.failedSelector, PS::filterSelectorStart);
    EXPECT_EQ(app_->OpenEditor(), nullptr);

    editor_.action = nullptr;
    const SquelmHost::RunResult second =
        Run([](const WindowAutomation& a, intptr_t w) { a.PressButton(w, IDCANCEL); });
    EXPECT_EQ(second.result, PS::userCanceledErr);
    EXPECT_EQ(second.failedSelector, PS::filterSelectorStart);
}

TEST_F(FilterRunWithDialog, AHostErrorCodeThrownInAHandlerIsTheResult)
{
    editor_.action = [] { throw HuxOSErr(PS::memFullErr); };
    EXPECT_EQ(Run(ClickActionAndWait).result, PS::memFullErr);

    editor_.action = [] { throw "Shown to the user"; };
    const SquelmHost::RunResult message = Run(ClickActionAndWait);
    EXPECT_EQ(message.result, PS::errReportString);
    EXPECT_EQ(message.errorText, "Shown to the user");
}

} // namespace
