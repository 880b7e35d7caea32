// The built Squelm.8bf as a host sees the file: a DLL for the test's own
// architecture (x86 or x64) that exports only its entry point and needs
// nothing but Windows' own libraries, found the way hosts find it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "PluginFile.h"
#include "testhost/PluginLoader.h"
#include "testhost/win32/PluginModule.h"

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// Libraries every Windows installation has. The compiler's runtime
// libraries (libgcc_s_dw2-1, libstdc++-6, libwinpthread-1) are not among
// them: they must be linked in statically.
const std::set<std::string>& SystemLibraries()
{
    static const std::set<std::string> names = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",    "comctl32.dll", "comdlg32.dll", "advapi32.dll",
        "shell32.dll",  "ole32.dll",    "oleaut32.dll", "msvcrt.dll",   "winmm.dll",    "hhctrl.ocx",
        "msimg32.dll",  "uxtheme.dll",  "version.dll",  "shlwapi.dll",
    };
    return names;
}

class PluginImage : public testing::Test {
protected:
    static void SetUpTestSuite() { plugin_ = new SquelmHost::PluginModule(SquelmHost::LoadPluginModule(PluginFile())); }
    static void TearDownTestSuite() { delete plugin_; }
    static SquelmHost::PluginModule* plugin_;
};

SquelmHost::PluginModule* PluginImage::plugin_ = nullptr;

TEST_F(PluginImage, IsALibraryForTheHostsArchitecture)
{
    constexpr uint16_t kX86 = 0x14C;
    constexpr uint16_t kX64 = 0x8664;
    EXPECT_EQ(SquelmHost::MachineType(plugin_->module), sizeof(void*) == 8 ? kX64 : kX86);
}

TEST_F(PluginImage, ExportsOnlyPluginMainUndecorated)
{
    EXPECT_EQ(SquelmHost::ExportedNames(plugin_->module), std::vector<std::string>{"PluginMain"});
}

TEST_F(PluginImage, ImportsOnlyWindowsSystemLibraries)
{
    const std::vector<std::string> imports = SquelmHost::ImportedLibraries(plugin_->module);
    ASSERT_FALSE(imports.empty());
    bool kernel = false;
    for (const std::string& name : imports) {
        EXPECT_TRUE(SystemLibraries().count(Lower(name))) << name << " is not a Windows system library";
        kernel = kernel || Lower(name) == "kernel32.dll";
    }
    EXPECT_TRUE(kernel);
}

TEST_F(PluginImage, EntryFoundThroughThePropertyListIsTheExportedPluginMain)
{
    std::string error = "untouched";
    const PS::PluginEntry entry = LoadPluginEntry(PluginFile(), error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(entry, plugin_->entry);
    EXPECT_EQ(plugin_->entryName, "PluginMain");
}

TEST(PluginLoader, ReportsAFileThatCannotBeLoaded)
{
    std::string error;
    EXPECT_EQ(LoadPluginEntry("Z:\\no\\such\\dir\\Missing.8bf", error), nullptr);
    EXPECT_EQ(error.rfind("cannot load Z:\\no\\such\\dir\\Missing.8bf: error ", 0), 0u) << error;
}

TEST(PluginLoader, ReportsALibraryWithoutAPropertyList)
{
    std::string error;
    EXPECT_EQ(LoadPluginEntry("comctl32.dll", error), nullptr);
    EXPECT_EQ(error, "comctl32.dll has no PiPL resource: not a plug-in");
}

} // namespace
