#include "testhost/TestHost.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

#include "testhost/DescriptorSession.h"
#include "testhost/HandleTable.h"
#include "testhost/RequestServer.h"

namespace SquelmHost {

namespace {

// Hosts alive, newest last, and the one inside a plug-in call (if any).
std::vector<TestHost*>& LiveHosts()
{
    static std::vector<TestHost*> hosts;
    return hosts;
}

TestHost* g_calling = nullptr;
std::thread::id g_callingThread;

bool AnyRequest(const PS::FilterRecord& r)
{
    const RequestRects rects = RequestedRects(r);
    return !rects.in.Empty() || !rects.out.Empty() || !rects.mask.Empty();
}

// The plug-in reads its render thread count from this variable.
void PassRenderThreads(int threads)
{
    if (threads <= 0)
        return;
    const std::string value = std::to_string(threads);
#ifdef _WIN32
    _putenv_s("SQUELM_THREADS", value.c_str());
#else
    setenv("SQUELM_THREADS", value.c_str(), 1);
#endif
}

} // namespace

// Makes a host the one that answers callbacks for the length of a call.
class TestHost::ActiveScope {
public:
    explicit ActiveScope(TestHost* host) : previous_(g_calling), previousThread_(g_callingThread)
    {
        g_calling = host;
        g_callingThread = std::this_thread::get_id();
    }
    ~ActiveScope()
    {
        g_calling = previous_;
        g_callingThread = previousThread_;
    }
    ActiveScope(const ActiveScope&) = delete;
    ActiveScope& operator=(const ActiveScope&) = delete;

private:
    TestHost* previous_;
    std::thread::id previousThread_;
};

TestHost* TestHost::Current()
{
    // The interface allows callbacks only from the thread the host called
    // on: one from any other is a fault no result code can report.
    if (g_calling && std::this_thread::get_id() != g_callingThread) {
        std::fprintf(stderr, "test host: a callback from a thread other than the host's\n");
        std::abort();
    }
    if (g_calling)
        return g_calling;
    return LiveHosts().empty() ? nullptr : LiveHosts().back();
}

TestHost::TestHost(PS::PluginEntry entry, HostOptions options)
    : entry_(entry), options_(options), handles_(std::make_unique<HandleTable>()),
      server_(std::make_unique<RequestServer>(record_, Document{image_, original_, mask_}, options_, log_)),
      descriptors_(std::make_unique<DescriptorSession>(*handles_))
{
    LiveHosts().push_back(this);
}

TestHost::~TestHost()
{
    auto& hosts = LiveHosts();
    hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
}

void TestHost::SetImage(HostImage image)
{
    if (image.Empty() || image.width > kMaxImageSide || image.height > kMaxImageSide)
        throw std::invalid_argument("image must be 1 to 300000 pixels on each side");
    if ((image.depth != 8 && image.depth != 16) ||
        image.pixels.size() != size_t(image.width) * size_t(image.height) * size_t(image.PixelBytes()))
        throw std::invalid_argument("image samples must be 8 or 16 bits, as many as its size and planes take");
    if (!mask_.Empty() && (mask_.width != image.width || mask_.height != image.height))
        mask_ = {};
    server_->Release();
    image_ = std::move(image);
    original_ = image_;
}

void TestHost::SetMask(GreyImage mask)
{
    if (mask.width != image_.width || mask.height != image_.height)
        throw std::invalid_argument("the mask must have the image's size");
    mask_ = std::move(mask);
}

void TestHost::ClearMask()
{
    mask_ = {};
}

PS::OSErr TestHost::InvokeEntry(int16_t selector, void* record)
{
    int16_t result = options_.resultWordPreset;
    if (!entry_) {
        hostError_ = "no plug-in entry point to call";
        return PS::paramErr;
    }
    ++calls_;
    callSelector_ = selector;
    ActiveScope scope(this);
    try {
        entry_(selector, record, &data_, &result);
    } catch (...) {
        hostError_ = std::string("a C++ exception left the entry point during ") + SelectorName(selector);
    }
    return result;
}

PS::OSErr TestHost::CallSelector(int16_t selector)
{
    const size_t at = log_.Events().size();
    HostEvent e;
    e.kind = EventKind::Selector;
    e.selector = selector;
    log_.Add(e);

    const PS::OSErr result = InvokeEntry(selector, &record_);
    // What the plug-in left in outData lands when its call returns.
    server_->StoreOutput();
    StoreParametersFromRecord();

    // A test may have cleared the log during the call.
    if (at < log_.Events().size()) {
        HostEvent& done = log_.MutableEvent(at);
        done.result = result;
        if (result == PS::errReportString)
            done.text = ErrorStringText();
    }
    return result;
}

PS::OSErr TestHost::ServeRequests()
{
    HostEvent e = RequestEvent(EventKind::Continue, record_);
    e.result = server_->Serve();
    log_.Add(e);
    return PS::OSErr(e.result);
}

PS::OSErr TestHost::CallAbout()
{
    PS::AboutRecord about{};
    aboutPlatformData_.hwnd = options_.ownerWindow;
    about.platformData = options_.nullAboutPlatformData ? nullptr : &aboutPlatformData_;
    const PS::OSErr result = InvokeEntry(PS::filterSelectorAbout, &about);
    HostEvent e;
    e.kind = EventKind::About;
    e.result = result;
    log_.Add(e);
    return result;
}

void TestHost::RunContinueLoop(const RunOptions& run, RunResult& result)
{
    while (AnyRequest(record_)) {
        if (result.continueCalls >= run.maxContinueCalls) {
            result.hostError = "Continue was still requesting data after " + std::to_string(run.maxContinueCalls) +
                               " calls";
            return;
        }
        if (PS::OSErr err = ServeRequests()) {
            result.hostError = "the host refused the request left for Continue (" + std::to_string(err) + ")";
            return;
        }
        ++result.continueCalls;
        if (PS::OSErr err = CallSelector(PS::filterSelectorContinue)) {
            result.result = err;
            result.failedSelector = PS::filterSelectorContinue;
            return;
        }
        if (!hostError_.empty())
            return;
    }
}

RunResult TestHost::RunFilter(const RunOptions& run)
{
    PassRenderThreads(options_.renderThreads);
    BuildRecord();
    if (run.adjustRecord)
        run.adjustRecord(record_);
    RunResult result;
    std::vector<int16_t> selectors;
    if (run.callParameters)
        selectors.push_back(PS::filterSelectorParameters);
    selectors.push_back(PS::filterSelectorPrepare);
    selectors.push_back(PS::filterSelectorStart);
    for (int16_t selector : selectors) {
        result.startCalled = selector == PS::filterSelectorStart;
        if (PS::OSErr err = CallSelector(selector)) {
            result.result = err;
            result.failedSelector = selector;
            break;
        }
        if (!hostError_.empty())
            break;
    }
    if (result.startCalled && result.failedSelector < 0 && hostError_.empty()) {
        RunContinueLoop(run, result);
        if (result.Succeeded() && hostError_.empty()) {
            result.finishCalled = true;
            if (PS::OSErr err = CallSelector(PS::filterSelectorFinish)) {
                result.result = err;
                result.failedSelector = PS::filterSelectorFinish;
            }
        }
    }
    if (result.hostError.empty())
        result.hostError = hostError_;
    if (result.result == PS::errReportString)
        result.errorText = ErrorStringText();
    server_->Release();
    descriptors_->Finish(result.Succeeded());
    if (!result.Succeeded() && options_.revertOnFailure)
        image_ = original_;
    return result;
}

std::string TestHost::ErrorStringText() const
{
    return std::string(reinterpret_cast<const char*>(errorString_.data()) + 1, errorString_[0]);
}

long TestHost::PaddingViolations() const
{
    return server_->PaddingViolations();
}

int TestHost::CallsAfterAdvanceStateError() const
{
    return counters_.callsAfterError;
}

} // namespace SquelmHost
