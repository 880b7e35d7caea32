// The plug-in's own manifest: resource 2 of type 24, asking for Common
// Controls 6, which the window framework activates around its windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "PluginFile.h"

namespace {

constexpr WORD kManifestType = 24;
constexpr WORD kIsolationAwareManifest = 2;

TEST(PluginManifest, AsksForCommonControlsSix)
{
    HMODULE plugin = LoadLibraryExA(PluginFile().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(plugin, nullptr);
    HRSRC found = FindResourceA(plugin, MAKEINTRESOURCEA(kIsolationAwareManifest), MAKEINTRESOURCEA(kManifestType));
    ASSERT_NE(found, nullptr) << "no manifest resource 2";
    HGLOBAL loaded = LoadResource(plugin, found);
    const char* data = static_cast<const char*>(LockResource(loaded));
    ASSERT_NE(data, nullptr);
    const std::string manifest(data, SizeofResource(plugin, found));
    FreeLibrary(plugin);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << manifest;
}

} // namespace
