#include "ui/win32/PSPlimUserMeshStore.h"

#include "HuxLib/HUXUTIL/win32/HuxUserStorage.h"
#include "HuxLib/HUXWIN/win32/HuxText.h"
#include "ui/win32/PSPlimUserStorageName.h"

namespace {

constexpr const wchar_t* kMeshFolderValue = L"MeshFolder";
constexpr const wchar_t* kLastMeshName = L"\\LastMesh.sqmesh";

// A path the ANSI code page cannot write is as good as none.
std::string Ansi(const std::wstring& path)
{
    std::string ansi;
    return HuxAnsiFromWide(path, ansi) ? ansi : std::string();
}

} // namespace

std::string PSPlimUserMeshStore::MeshFolder() const
{
    const std::optional<std::wstring> folder = HuxReadUserValue(kPSPlimUserStorageName, kMeshFolderValue);
    return folder ? Ansi(*folder) : std::string();
}

// Not remembering a folder costs the user a click next time; it is not
// worth a message.
void PSPlimUserMeshStore::SetMeshFolder(const std::string& folder)
{
    HuxWriteUserValue(kPSPlimUserStorageName, kMeshFolderValue, HuxWideFromAnsi(folder));
}

std::string PSPlimUserMeshStore::LastMeshFile() const
{
    const std::wstring folder = HuxUserDataFolder(kPSPlimUserStorageName);
    return folder.empty() ? std::string() : Ansi(folder + kLastMeshName);
}
