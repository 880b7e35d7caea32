// The in-process application behind the test host: the host calls an entry
// point that hands every selector to the application object made here, so a
// test can give it an editor of its own and reach it between calls. One at
// a time: the entry point finds the live one.
#pragma once

#include <memory>

#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "testhost/TestHost.h"

class InProcessPlugin {
public:
    // Built on the test's thread, as the library's object is built on the
    // loading thread: the fault translator serves this thread. The editor
    // (what Start runs) stays the caller's.
    explicit InProcessPlugin(PSPlimEditor* editor)
        : m_app(std::make_unique<CPSPlimPluginApp>()), m_host(std::make_unique<SquelmHost::TestHost>(&Entry))
    {
        m_app->SetEditor(editor);
        Live() = m_app.get();
    }
    ~InProcessPlugin() { Live() = nullptr; }
    InProcessPlugin(const InProcessPlugin&) = delete;
    InProcessPlugin& operator=(const InProcessPlugin&) = delete;

    CPSPlimPluginApp& App() { return *m_app; }
    SquelmHost::TestHost& Host() { return *m_host; }

private:
    static CPSPlimPluginApp*& Live()
    {
        static CPSPlimPluginApp* app = nullptr;
        return app;
    }
    static void PS_CALLBACK Entry(int16_t selector, void* record, intptr_t* data, int16_t* result)
    {
        Live()->Dispatch(selector, record, data, result);
    }

    std::unique_ptr<CPSPlimPluginApp> m_app;
    std::unique_ptr<SquelmHost::TestHost> m_host;
};
