// The resource library as a module: resources only, no code of its own
// beyond an entry point that agrees to everything.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "installed_library.h"
#include "resources/resource_ids.h"
#include "support/printer_bench.h"

namespace {

const IMAGE_NT_HEADERS* Headers(HMODULE library)
{
    const BYTE* base = reinterpret_cast<const BYTE*>(library);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
}

const IMAGE_DATA_DIRECTORY& Directory(HMODULE library, int index)
{
    return Headers(library)->OptionalHeader.DataDirectory[index];
}

struct Resource {
    std::wstring type;
    std::wstring name;
    LANGID language;
};

std::wstring NameOf(LPCWSTR name)
{
    return IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : std::wstring(name);
}

std::vector<Resource> AllResources(HMODULE library)
{
    struct Walk {
        std::vector<Resource> found;
        LPCWSTR type;
    } walk;
    EnumResourceTypesW(
        library,
        [](HMODULE module, LPWSTR type, LONG_PTR context) CALLBACK -> BOOL {
            auto* walk = reinterpret_cast<Walk*>(context);
            walk->type = type;
            EnumResourceNamesW(
                module, type,
                [](HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR context) CALLBACK -> BOOL {
                    EnumResourceLanguagesW(
                        module, type, name,
                        [](HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR context) CALLBACK -> BOOL {
                            reinterpret_cast<Walk*>(context)->found.push_back({NameOf(type), NameOf(name), language});
                            return TRUE;
                        },
                        context);
                    return TRUE;
                },
                context);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&walk));
    return walk.found;
}

}  // namespace

TEST(ResourceLibraryImage, ExportsNothing)
{
    HMODULE library = InstalledResourceLibrary();
    ASSERT_NE(library, nullptr);
    const IMAGE_DATA_DIRECTORY& exports = Directory(library, IMAGE_DIRECTORY_ENTRY_EXPORT);
    if (exports.VirtualAddress) {
        const auto* table = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
            reinterpret_cast<const BYTE*>(library) + exports.VirtualAddress);
        EXPECT_EQ(0u, table->NumberOfFunctions);
        EXPECT_EQ(0u, table->NumberOfNames);
    }
}

TEST(ResourceLibraryImage, ImportsNothing)
{
    HMODULE library = InstalledResourceLibrary();
    ASSERT_NE(library, nullptr);
    const IMAGE_DATA_DIRECTORY& imports = Directory(library, IMAGE_DIRECTORY_ENTRY_IMPORT);
    if (imports.VirtualAddress) {
        const auto* first = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
            reinterpret_cast<const BYTE*>(library) + imports.VirtualAddress);
        EXPECT_EQ(0u, first->Name) << "imports from "
                                   << reinterpret_cast<const char*>(library) + first->Name;
    }
    EXPECT_EQ(0u, Directory(library, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT).VirtualAddress);
}

TEST(ResourceLibraryImage, EntryPointAgreesToEveryReason)
{
    HMODULE library = InstalledResourceLibrary();
    ASSERT_NE(library, nullptr);
    const DWORD entry = Headers(library)->OptionalHeader.AddressOfEntryPoint;
    ASSERT_NE(0u, entry);
    using EntryPoint = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);
    const auto call = reinterpret_cast<EntryPoint>(reinterpret_cast<BYTE*>(library) + entry);
    for (DWORD reason : {DLL_PROCESS_ATTACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DLL_PROCESS_DETACH})
        EXPECT_EQ(TRUE, call(library, reason, nullptr)) << "reason " << reason;
}

TEST(ResourceLibraryImage, HoldsEveryResourceInEnglishUnitedKingdom)
{
    HMODULE library = InstalledResourceLibrary();
    ASSERT_NE(library, nullptr);
    const std::vector<Resource> resources = AllResources(library);
    EXPECT_GT(resources.size(), 100u);
    for (const Resource& resource : resources)
        EXPECT_EQ(kResourceLanguage, resource.language) << Narrow(resource.type) << " " << Narrow(resource.name);
}

TEST(ResourceLibraryImage, HoldsExactlyTheSixteenDialogTemplates)
{
    HMODULE library = InstalledResourceLibrary();
    ASSERT_NE(library, nullptr);
    std::set<std::wstring> dialogs;
    for (const Resource& resource : AllResources(library)) {
        if (resource.type == L"#5")
            dialogs.insert(resource.name);
    }
    std::set<std::wstring> expected;
    for (int id : {IDD_PAPER_LAYOUT_V1, IDD_PAPER_LAYOUT, IDD_HANDLING_V1, IDD_HANDLING, IDD_QUALITY_V1, IDD_QUALITY,
                   IDD_FONTS_V1, IDD_FONTS, IDD_DEVICE_OPTIONS_V1, IDD_DEVICE_OPTIONS, IDD_FONT_SUBSTITUTION_V1,
                   IDD_FONT_SUBSTITUTION, IDD_ABOUT_V1, IDD_ABOUT, IDD_USER_SIZE_V1, IDD_USER_SIZE})
        expected.insert(L"#" + std::to_wstring(id));
    EXPECT_EQ(expected, dialogs);
}
