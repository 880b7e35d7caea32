// The real Squelm.8bf driven through the test host on this thread, the way a
// host calls it, with a second thread answering the windows it opens.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "DialogCanceller.h"
#include "PluginFile.h"
#include "testhost/TestHost.h"
#include "testhost/OwnerWindow.h"
#include "testhost/win32/PluginModule.h"
#include "testhost/win32/WindowAutomation.h"

namespace {

using SquelmHost::AutomationThread;
using SquelmHost::RgbImage;
using SquelmHost::TestHost;
using SquelmHost::WindowAutomation;
using SquelmHost::WindowState;

constexpr int kIdOk = 1;
constexpr uintptr_t kUnmappedAddress = 0x10; // never mapped in any process

// 5 x 3, every pixel different, with a marked top-left corner.
RgbImage MarkedImage()
{
    RgbImage image(5, 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x)
            image.Set(x, y, uint8_t(40 * x), uint8_t(60 * y), uint8_t(10 + x + 5 * y));
    }
    image.Set(0, 0, 255, 0, 255);
    return image;
}

// "Squelm <major.minor.patch>\n": how the About box must begin for the
// product version that the plug-in file's version resource states.
std::string AboutBoxOpeningFromVersionResource()
{
    const std::string file = PluginFile();
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(file.c_str(), &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() || !GetFileVersionInfoA(file.c_str(), 0, DWORD(block.size()), block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size) || size < sizeof *fixed)
        return "no version resource";
    return "Squelm " + std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." + std::to_string(HIWORD(fixed->dwProductVersionLS)) +
           "\n";
}

// What the automation thread saw of a message box.
struct SeenBox {
    bool found = false;
    std::string caption;
    std::vector<std::string> texts; // static controls
    intptr_t owner = -1;
    bool closed = false;
};

// Waits for the About box, reads it and presses OK.
SeenBox AnswerAboutBox()
{
    const WindowAutomation automation;
    SeenBox seen;
    const intptr_t box = automation.WaitForWindow(WindowAutomation::kDialogClass);
    if (!box)
        return seen;
    seen.found = true;
    const WindowState state = automation.Describe(box);
    seen.caption = state.text;
    seen.owner = state.owner;
    for (const WindowState& child : automation.Children(box)) {
        if (child.className == "Static" && !child.text.empty())
            seen.texts.push_back(child.text);
    }
    automation.PressButton(box, kIdOk);
    seen.closed = automation.WaitForClose(box);
    return seen;
}

class PluginRun : public testing::Test {
protected:
    static void SetUpTestSuite() { entry_ = SquelmHost::LoadPluginModule(PluginFile()).entry; }

    void SetUp() override
    {
        ASSERT_NE(entry_, nullptr);
        host_ = std::make_unique<TestHost>(entry_);
        host_->SetImage(MarkedImage());
    }

    static PS::PluginEntry entry_;
    std::unique_ptr<TestHost> host_;
};

PS::PluginEntry PluginRun::entry_ = nullptr;

TEST_F(PluginRun, FilterRunEndsCancelledAndLeavesTheImageAlone)
{
    SquelmHost::RunResult result;
    WithDialogsCancelled([&] { result = host_->RunFilter(); });
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_EQ(result.failedSelector, PS::filterSelectorStart);
    EXPECT_EQ(result.hostError, "");
    EXPECT_FALSE(result.finishCalled);
    EXPECT_EQ(host_->Log().SelectorSequence(),
              (std::vector<int16_t>{PS::filterSelectorParameters, PS::filterSelectorPrepare, PS::filterSelectorStart}));
    EXPECT_EQ(host_->ParameterBytes().size(), 96u);
    EXPECT_EQ(host_->Image().pixels, MarkedImage().pixels);
}

// Documents the plug-in cannot take, as a host's false claim offers them,
// end at Prepare with filterBadMode, the document as it was, no window opened.
TEST_F(PluginRun, EveryDocumentItCannotTakeEndsAtPrepareUntouched)
{
    using SquelmHost::ColourSpace;
    using SquelmHost::Transparency;
    const struct {
        ColourSpace space;
        int depth;
        Transparency transparency;
        int16_t claimedMode;
    } cases[] = {
        {ColourSpace::RGB, 8, Transparency::None, PS::plugInModeIndexedColor},
        {ColourSpace::CMYK, 8, Transparency::Protected, PS::plugInModeMultichannel},
        {ColourSpace::Grey, 16, Transparency::None, PS::plugInModeGray32},
    };
    for (const auto& c : cases) {
        SquelmHost::HostImage document(7, 5, c.space, c.depth, c.transparency);
        for (size_t i = 0; i < document.pixels.size(); ++i)
            document.pixels[i] = uint8_t(i * 7 + 3);
        TestHost host(entry_);
        host.SetImage(document);
        if (c.claimedMode >= 0)
            host.Options().claimedImageMode = c.claimedMode;
        host.Options().revertOnFailure = false;
        const SquelmHost::RunResult result = host.RunFilter();
        EXPECT_EQ(result.result, PS::filterBadMode) << "planes " << document.Planes() << " depth " << c.depth;
        EXPECT_EQ(result.failedSelector, PS::filterSelectorPrepare);
        EXPECT_EQ(host.Image().pixels, document.pixels);
    }
}

TEST_F(PluginRun, AboutShowsItsMessageBoxWithoutAnOwner)
{
    SeenBox seen;
    AutomationThread answer([&seen] { seen = AnswerAboutBox(); });
    const PS::OSErr result = host_->CallAbout();
    answer.Join();
    EXPECT_EQ(result, PS::noErr);
    ASSERT_TRUE(seen.found) << "no message box appeared";
    EXPECT_EQ(seen.caption, "Squelm");
    ASSERT_EQ(seen.texts.size(), 1u);
    EXPECT_TRUE(seen.texts[0].starts_with(AboutBoxOpeningFromVersionResource())) << seen.texts[0];
    EXPECT_EQ(seen.owner, 0);
    EXPECT_TRUE(seen.closed);
}

TEST_F(PluginRun, AboutShowsItsMessageBoxOwnedByTheHostWindow)
{
    SquelmHost::OwnerWindow owner;
    host_->Options().ownerWindow = owner.Handle();
    SeenBox seen;
    AutomationThread answer([&seen] { seen = AnswerAboutBox(); });
    const PS::OSErr result = host_->CallAbout();
    answer.Join();
    EXPECT_EQ(result, PS::noErr);
    ASSERT_TRUE(seen.found) << "no message box appeared";
    EXPECT_EQ(seen.texts.size(), 1u);
    EXPECT_EQ(seen.owner, owner.Handle());
    EXPECT_TRUE(seen.closed);
}

PS::Ptr PS_CALLBACK LockToUnmappedMemory(PS::Handle, PS::Boolean)
{
    return reinterpret_cast<PS::Ptr>(kUnmappedAddress);
}

TEST_F(PluginRun, CallThroughAnInvalidHostCallbackEndsTheCallWithMinusOne)
{
    host_->BuildRecord();
    PS::HandleProcs broken = *host_->Record().handleProcs;
    broken.newProc = reinterpret_cast<PS::NewPIHandleProc>(kUnmappedAddress);
    PS::HandleProcs* good = host_->Record().handleProcs;
    host_->Record().handleProcs = &broken;
    ASSERT_EQ(host_->Record().parameters, nullptr); // Parameters must create the block
    EXPECT_EQ(host_->CallSelector(PS::filterSelectorParameters), -1);

    host_->Record().handleProcs = good;
    EXPECT_EQ(host_->CallSelector(PS::filterSelectorParameters), PS::noErr);
    EXPECT_EQ(host_->ParameterBytes().size(), 96u);
}

TEST_F(PluginRun, InvalidMemoryAccessInsideThePlugInEndsTheCallWithMinusOne)
{
    host_->BuildRecord();
    ASSERT_EQ(host_->CallSelector(PS::filterSelectorParameters), PS::noErr);
    ASSERT_NE(host_->Record().parameters, nullptr); // the next call locks and validates it

    PS::HandleProcs broken = *host_->Record().handleProcs;
    broken.lockProc = &LockToUnmappedMemory;
    PS::HandleProcs* good = host_->Record().handleProcs;
    host_->Record().handleProcs = &broken;
    EXPECT_EQ(host_->CallSelector(PS::filterSelectorPrepare), -1);
    host_->Record().handleProcs = good;

    // The plug-in goes on working: a whole run afterwards behaves normally.
    SquelmHost::RunResult result;
    WithDialogsCancelled([&] { result = host_->RunFilter(); });
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_EQ(result.failedSelector, PS::filterSelectorStart);
    EXPECT_EQ(host_->Image().pixels, MarkedImage().pixels);
}

using PluginRunDeathTest = PluginRun;

PS::Handle* volatile g_unmappedHandle = reinterpret_cast<PS::Handle*>(kUnmappedAddress);

PS::Handle PS_CALLBACK NewHandleThatFaults(int32_t)
{
    return *g_unmappedHandle;
}

// The host's own code has no unwind tables the plug-in could use: a fault
// there must reach the host's handlers (here: none, so the process ends).
TEST_F(PluginRunDeathTest, FaultInsideAHostCallbackStaysTheHostsFault)
{
    EXPECT_EXIT(
        {
            host_->BuildRecord();
            PS::HandleProcs faulting = *host_->Record().handleProcs;
            faulting.newProc = &NewHandleThatFaults;
            host_->Record().handleProcs = &faulting;
            host_->CallSelector(PS::filterSelectorParameters);
        },
        testing::ExitedWithCode(int(0xC0000005)), "");
}

} // namespace
