#include "testhost/win32/PluginModule.h"

#include <windows.h>

#include <stdexcept>

#include "host/HuxPSDescriptorItems.h"
#include "testhost/PluginLoader.h"

namespace SquelmHost {

namespace {

// Resource types as hosts ask for them; resource compilers store type names
// in upper case and the lookup ignores case, so both find the same list.
constexpr const char* kPiPLTypes[] = {"PiPL", "PIPL"};

std::string SystemMessage(DWORD code)
{
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = "error " + std::to_string(code);
    if (length && text)
        message += ": " + std::string(text, length);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

struct ResourceName {
    uint16_t id = 0;
    std::string name;
};

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR context)
{
    ResourceName entry;
    if (IS_INTRESOURCE(name))
        entry.id = LOWORD(reinterpret_cast<uintptr_t>(name));
    else
        entry.name = name;
    reinterpret_cast<std::vector<ResourceName>*>(context)->push_back(entry);
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR context)
{
    reinterpret_cast<std::vector<WORD>*>(context)->push_back(language);
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE, LPSTR type, LONG_PTR context)
{
    if (!IS_INTRESOURCE(type))
        reinterpret_cast<std::vector<std::string>*>(context)->push_back(type);
    return TRUE;
}

std::vector<uint8_t> ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
{
    HRSRC info = FindResourceExA(module, type, name, language);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!data)
        throw std::runtime_error("cannot read a PiPL resource: " + SystemMessage(GetLastError()));
    return std::vector<uint8_t>(data, data + SizeofResource(module, info));
}

// The stored spelling of a resource type, as EnumResourceTypes reports it.
std::string StoredTypeName(HMODULE module, const char* wanted)
{
    std::vector<std::string> types;
    EnumResourceTypesA(module, &CollectType, reinterpret_cast<LONG_PTR>(&types));
    for (const std::string& type : types) {
        if (lstrcmpiA(type.c_str(), wanted) == 0)
            return type;
    }
    return wanted;
}

// The headers of a module of this program's own architecture (a 32-bit
// program cannot load a 64-bit module, nor the reverse).
const IMAGE_NT_HEADERS& Headers(void* module)
{
    const auto* base = static_cast<const uint8_t*>(module);
    const auto& dos = *reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE)
        throw std::runtime_error("not a PE image");
    const auto& nt = *reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos.e_lfanew);
    if (nt.Signature != IMAGE_NT_SIGNATURE || nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC)
        throw std::runtime_error(sizeof(void*) == 8 ? "not a 64-bit PE image" : "not a 32-bit PE image");
    return nt;
}

template <class T>
const T* AtRva(void* module, DWORD rva)
{
    return reinterpret_cast<const T*>(static_cast<const uint8_t*>(module) + rva);
}

} // namespace

std::vector<PiPLResource> PiPLResources(void* module)
{
    HMODULE handle = static_cast<HMODULE>(module);
    const char* type = kPiPLTypes[0];
    std::vector<ResourceName> names;
    for (const char* candidate : kPiPLTypes) {
        EnumResourceNamesA(handle, candidate, &CollectName, reinterpret_cast<LONG_PTR>(&names));
        if (!names.empty()) {
            type = candidate;
            break;
        }
    }
    std::vector<PiPLResource> resources;
    for (const ResourceName& name : names) {
        LPCSTR key = name.name.empty() ? MAKEINTRESOURCEA(name.id) : name.name.c_str();
        std::vector<WORD> languages;
        EnumResourceLanguagesA(handle, type, key, &CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
        for (WORD language : languages) {
            PiPLResource resource;
            resource.type = StoredTypeName(handle, type);
            resource.id = name.id;
            resource.language = language;
            resource.bytes = ResourceBytes(handle, type, key, language);
            resources.push_back(std::move(resource));
        }
    }
    return resources;
}

PluginModule LoadPluginModule(const std::string& path)
{
    PluginModule plugin;
    // Dependencies are searched next to the plug-in first, as hosts do.
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module)
        throw std::runtime_error("cannot load " + path + ": " + SystemMessage(GetLastError()));
    plugin.module = module;
    std::vector<PiPLResource> resources = PiPLResources(module);
    if (resources.empty())
        throw std::runtime_error(path + " has no PiPL resource: not a plug-in");
    std::string firstFailure;
    for (PiPLResource& resource : resources) {
        try {
            // As the strictest hosts read it: by the stated lengths alone.
            PiPL list = ParsePiPL(resource.bytes.data(), resource.bytes.size(), PiPLStepping::StatedLength);
            std::string entryName = FilterEntryName(list, kOwnEntryKey);
            FARPROC entry = GetProcAddress(module, entryName.c_str());
            if (!entry)
                throw std::runtime_error("entry point '" + entryName + "' named by '" + HuxPSCodeText(kOwnEntryKey) +
                                         "' is not exported");
            plugin.resource = std::move(resource);
            plugin.list = std::move(list);
            plugin.entryName = std::move(entryName);
            plugin.entry = reinterpret_cast<PS::PluginEntry>(reinterpret_cast<void*>(entry));
            return plugin;
        } catch (const std::runtime_error& e) {
            if (firstFailure.empty())
                firstFailure = e.what();
        }
    }
    throw std::runtime_error(path + ": " + firstFailure);
}

void UnloadPluginModule(PluginModule& plugin)
{
    if (plugin.module && !FreeLibrary(static_cast<HMODULE>(plugin.module)))
        throw std::runtime_error("cannot unload the plug-in: " + SystemMessage(GetLastError()));
    plugin = PluginModule();
}

std::vector<std::string> ImportedLibraries(void* module)
{
    const IMAGE_DATA_DIRECTORY& directory = Headers(module).OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    if (directory.VirtualAddress == 0)
        return names;
    for (const auto* import = AtRva<IMAGE_IMPORT_DESCRIPTOR>(module, directory.VirtualAddress); import->Name != 0;
         ++import)
        names.emplace_back(AtRva<char>(module, import->Name));
    return names;
}

std::vector<std::string> ExportedNames(void* module)
{
    const IMAGE_DATA_DIRECTORY& directory = Headers(module).OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::vector<std::string> names;
    if (directory.VirtualAddress == 0)
        return names;
    const auto& exports = *AtRva<IMAGE_EXPORT_DIRECTORY>(module, directory.VirtualAddress);
    const DWORD* nameRvas = AtRva<DWORD>(module, exports.AddressOfNames);
    for (DWORD i = 0; i < exports.NumberOfNames; ++i)
        names.emplace_back(AtRva<char>(module, nameRvas[i]));
    return names;
}

uint16_t MachineType(void* module)
{
    return Headers(module).FileHeader.Machine;
}

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string windows = "Z:" + path;
    for (char& c : windows) {
        if (c == '/')
            c = '\\';
    }
    return windows;
}

} // namespace SquelmHost

PS::PluginEntry LoadPluginEntry(const std::string& pluginPath, std::string& error)
{
    try {
        PS::PluginEntry entry = SquelmHost::LoadPluginModule(pluginPath).entry;
        error.clear();
        return entry;
    } catch (const std::exception& e) {
        error = e.what();
        return nullptr;
    }
}
