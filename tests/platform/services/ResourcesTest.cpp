// Modules and their resources: two modules declare resources with the same IDs and different content.
#include "module/ModuleResources.h"

#include <emu/Emu.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char greeting[] = "executable";
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(100), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), greeting,
             sizeof greeting);
EMU_RESOURCE(RT_RCDATA, "Named", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), greeting, sizeof greeting);

// One resource in several languages, to see which one each lookup chooses.
const char chinese[] = "zh-CN", english[] = "en-US", neutral[] = "neutral", german[] = "de-DE";
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(110), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), chinese,
             sizeof chinese);
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(111), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), chinese,
             sizeof chinese);
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(111), MAKELANGID(0x07, 0x01), german, sizeof german);
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(111), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), english,
             sizeof english);
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(112), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), english,
             sizeof english);
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(112), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), neutral,
             sizeof neutral);

uintptr_t Value(HMODULE module) {
    return reinterpret_cast<uintptr_t>(module);
}

std::string Text(HMODULE module, HRSRC info) {
    if (!info)
        return "<none>";
    auto* data = static_cast<const char*>(LockResource(LoadResource(module, info)));
    return data ? std::string(data, SizeofResource(module, info) - 1) : "<unlocked>";
}

std::string Lookup(HMODULE module, LPCSTR name, LPCSTR type = RT_RCDATA) {
    return Text(module, FindResourceA(module, name, type));
}

std::string LookupEx(HMODULE module, LPCSTR name, WORD language) {
    return Text(module, FindResourceExA(module, RT_RCDATA, name, language));
}

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        SetLastError(0);
    }
};

TEST_F(Resources, ExecutableAndLibraryAreDistinctStableModulesThatFitIn32Bits) {
    HMODULE exe = GetModuleHandleA(nullptr);
    HMODULE library = ServicesTestModule();
    ASSERT_NE(exe, nullptr);
    ASSERT_NE(library, nullptr);
    EXPECT_NE(exe, library);
    EXPECT_LE(Value(exe), UINT32_MAX);
    EXPECT_LE(Value(library), UINT32_MAX);
    EXPECT_EQ(GetModuleHandleA(nullptr), exe);
    EXPECT_EQ(ServicesTestModule(), library);

    HMODULE fromAddress = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, greeting, &fromAddress));
    EXPECT_EQ(fromAddress, exe);
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                   static_cast<LPCSTR>(ServicesTestModuleCode()), &fromAddress));
    EXPECT_EQ(fromAddress, library);
}

TEST_F(Resources, ModulesAreFoundByFileNameWithWindowsStyleNames) {
    HMODULE library = ServicesTestModule();
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(library, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::string(path).size(), length);
    EXPECT_TRUE(std::string(path).ends_with("/libplatform_services_tests_module.so")) << path;

    EXPECT_EQ(GetModuleHandleA(path), library);
    EXPECT_EQ(GetModuleHandleA("libplatform_services_tests_module.so"), library);
    EXPECT_EQ(GetModuleHandleA("LIBPLATFORM_SERVICES_TESTS_MODULE.SO"), library);
    EXPECT_EQ(GetModuleHandleA("platform_services_tests_module.dll"), library);
    EXPECT_EQ(GetModuleHandleA("Platform_Services_Tests_Module"), library) << "no extension means .dll";
    EXPECT_EQ(GetModuleHandleA("platform_services_tests.exe"), GetModuleHandleA(nullptr));

    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    EXPECT_TRUE(std::string(path).ends_with("/platform_services_tests")) << path;
}

TEST_F(Resources, ModuleLookupFailuresGiveTheDocumentedErrors) {
    EXPECT_EQ(GetModuleHandleA("no_such_module.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    int onTheStack = 0;
    HMODULE module = reinterpret_cast<HMODULE>(1);
    EXPECT_FALSE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                    reinterpret_cast<LPCSTR>(&onTheStack), &module));
    EXPECT_EQ(module, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    EXPECT_FALSE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, greeting, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, nullptr, &module));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    char path[8];
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x5550000), path, sizeof path), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleFileNameA(nullptr, path, sizeof path), sizeof path) << "truncated";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(path).size(), sizeof path - 1);
}

TEST_F(Resources, EachModuleHasItsOwnResourcesUnderTheSameIds) {
    HMODULE exe = GetModuleHandleA(nullptr);
    HMODULE library = ServicesTestModule();
    EXPECT_EQ(Lookup(exe, MAKEINTRESOURCEA(100)), "executable");
    EXPECT_EQ(Lookup(library, MAKEINTRESOURCEA(100)), "module");
    EXPECT_EQ(Lookup(nullptr, MAKEINTRESOURCEA(100)), "executable") << "NULL is the executable";
    EXPECT_EQ(Lookup(library, "Named"), "module");

    // A resource handle belongs to its module.
    HRSRC fromLibrary = FindResourceA(library, MAKEINTRESOURCEA(100), RT_RCDATA);
    EXPECT_EQ(LoadResource(exe, fromLibrary), nullptr);
    EXPECT_EQ(SizeofResource(exe, fromLibrary), 0u);
    EXPECT_EQ(SizeofResource(library, fromLibrary), sizeof "module");
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_FALSE(FreeResource(LoadResource(library, fromLibrary)));
}

TEST_F(Resources, NamesIgnoreCaseAndHashNumbersAreIds) {
    EXPECT_EQ(Lookup(nullptr, "named"), "executable");
    EXPECT_EQ(Lookup(nullptr, "NAMED"), "executable");
    EXPECT_EQ(Lookup(nullptr, "#100"), "executable");
    EXPECT_EQ(Lookup(nullptr, MAKEINTRESOURCEA(100), "#10"), "executable") << "RT_RCDATA is 10";
    EXPECT_EQ(Lookup(nullptr, "#100x"), "<none>");
}

TEST_F(Resources, LanguageFallbacksOfFindResourceAndExactLanguageOfFindResourceEx) {
    EXPECT_EQ(Lookup(nullptr, MAKEINTRESOURCEA(110)), "zh-CN") << "any language as the last resort";
    EXPECT_EQ(Lookup(nullptr, MAKEINTRESOURCEA(111)), "en-US") << "the user's language before others";
    EXPECT_EQ(Lookup(nullptr, MAKEINTRESOURCEA(112)), "neutral") << "neutral first";

    EXPECT_EQ(LookupEx(nullptr, MAKEINTRESOURCEA(111), MAKELANGID(0x07, 0x01)), "de-DE");
    EXPECT_EQ(LookupEx(nullptr, MAKEINTRESOURCEA(111), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)),
              "zh-CN");
    EXPECT_EQ(LookupEx(nullptr, MAKEINTRESOURCEA(110), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)), "zh-CN")
        << "the neutral language asks for the thread's choice";
    EXPECT_EQ(LookupEx(nullptr, MAKEINTRESOURCEA(110), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
              "<none>");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
}

TEST_F(Resources, MissingResourcesReportWhatIsMissing) {
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(999), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(100), MAKEINTRESOURCEA(77)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(0x7770000), MAKEINTRESOURCEA(100), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST_F(Resources, AddedAtRunTimeAndRedeclaredResourcesKeepEarlierDataReadable) {
    static const char anchor = 0;
    const char first[] = "first", second[] = "second";
    emu::AddResource(&anchor, "CUSTOM", "runtime", 0, first, sizeof first);
    HRSRC info = FindResourceA(nullptr, "RUNTIME", "custom");
    ASSERT_NE(info, nullptr);
    const char* before = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
    emu::AddResource(&anchor, "CUSTOM", "runtime", 0, second, sizeof second);
    EXPECT_EQ(Lookup(nullptr, "runtime", "CUSTOM"), "second");
    EXPECT_STREQ(before, "first");
    emu::Reset();
    EXPECT_EQ(Lookup(nullptr, "runtime", "CUSTOM"), "second") << "resources outlive a reset";
}

} // namespace
