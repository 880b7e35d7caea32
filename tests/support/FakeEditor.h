// An editor whose whole session is a function of the caller, installed on the
// plug-in's application for one scope. Shared by the tests of every area that
// runs the in-process plug-in, and by the benchmarks.
#pragma once

#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "plugin/PluginMain.h"
#include "testhost/PluginLoader.h"

#include <functional>
#include <string>

namespace EffectTest {

class FakeEditor : public PSPlimEditor {
public:
    explicit FakeEditor(std::function<int(CPSPlimPluginApp&)> session) : session_(std::move(session)) {}
    int RunModal(CPSPlimPluginApp& app) override { ++runs; return session_(app); }
    void UpdateToolbar() override { ++toolbarUpdates; }

    int runs = 0;
    int toolbarUpdates = 0;

private:
    std::function<int(CPSPlimPluginApp&)> session_;
};

class EditorInstallation {
public:
    explicit EditorInstallation(PSPlimEditor& editor) { TheApp().SetEditor(&editor); }
    ~EditorInstallation() { TheApp().SetEditor(nullptr); }
    EditorInstallation(const EditorInstallation&) = delete;
    EditorInstallation& operator=(const EditorInstallation&) = delete;
};

// The built-in plug-in's entry point.
inline PS::PluginEntry Entry()
{
    std::string error;
    return LoadPluginEntry("", error);
}

} // namespace EffectTest
