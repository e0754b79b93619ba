// LoadLibraryA and FreeLibrary on names and handles that do not lead to a library being mapped or unmapped,
// and the failure of a module's file name on request. Loading and unloading a library with an entry point
// is tested with the library itself.
#include <emu/Emu.h>
#include <gtest/gtest.h>

namespace {

class LoaderTest : public testing::Test {
protected:
    void SetUp() override { emu::Reset(); }
};

TEST_F(LoaderTest, NamesThatFindNoLibraryFail) {
    EXPECT_EQ(nullptr, LoadLibraryA(nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    for (const char* name : {"NoSuchLibrary.dll", "NoSuchLibrary", "./NoSuchLibrary.so", ""}) {
        SetLastError(0);
        EXPECT_EQ(nullptr, LoadLibraryA(name)) << name;
        EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError()) << name;
    }
}

TEST_F(LoaderTest, ALoadedLibraryIsCountedOnceMoreAndStaysAfterBeingFreed) {
    HMODULE emulation = GetModuleHandleA("TalWin32Emu.dll");
    ASSERT_NE(nullptr, emulation);
    EXPECT_EQ(emulation, LoadLibraryA("TalWin32Emu"));
    EXPECT_EQ(emulation, LoadLibraryA("libTalWin32Emu.so"));
    EXPECT_TRUE(FreeLibrary(emulation));
    EXPECT_TRUE(FreeLibrary(emulation));
    EXPECT_TRUE(FreeLibrary(emulation)) << "mapped with the process, it stays until its end";
    EXPECT_EQ(emulation, GetModuleHandleA("TalWin32Emu.dll"));
    EXPECT_TRUE(emu::ModuleEntryCalls().empty()) << "the emulation has no entry point";
}

TEST_F(LoaderTest, FreeingWhatIsNoModuleFails) {
    for (HMODULE module : {static_cast<HMODULE>(nullptr), reinterpret_cast<HMODULE>(0x12340000)}) {
        SetLastError(0);
        EXPECT_FALSE(FreeLibrary(module));
        EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
    }
}

TEST_F(LoaderTest, AModuleFileNameFailsAfterTheGivenNumberOfAnswersUntilReset) {
    emu::FailModuleFileName("TalWin32Emu.dll", 1);
    HMODULE emulation = GetModuleHandleA("TalWin32Emu.dll");
    char path[MAX_PATH];
    EXPECT_NE(0u, GetModuleFileNameA(emulation, path, MAX_PATH));
    EXPECT_EQ(0u, GetModuleFileNameA(emulation, path, MAX_PATH));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
    EXPECT_EQ(0u, GetModuleFileNameA(emulation, path, MAX_PATH));
    EXPECT_NE(0u, GetModuleFileNameA(nullptr, path, MAX_PATH)) << "other modules answer";
    emu::Reset();
    EXPECT_NE(0u, GetModuleFileNameA(emulation, path, MAX_PATH));
}

} // namespace
