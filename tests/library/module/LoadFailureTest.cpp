// A load that fails: the library cannot learn its own file, as when memory runs out, at whichever step of
// its start asks for it. The load then fails and leaves nothing behind.
#include "LoadedLibrary.h"

#include <dlfcn.h>

namespace {

TEST(LoadFailureTest, WhicheverStepFailsTheLoadFailsAndLeavesNothingBehind) {
    UINT nAnswers = 0;
    for (;; ++nAnswers) {
        ASSERT_LT(nAnswers, 20u) << "the load never succeeds";
        emu::Reset();
        HostState host;
        emu::FailModuleFileName("TalControl.dll", nAnswers);
        SetLastError(0);
        HMODULE hLibrary = LoadLibraryA(kLibraryPath);
        if (hLibrary != nullptr) {
            EXPECT_EQ((std::vector<std::string>{"attach TRUE"}), EntryCalls(hLibrary));
            EXPECT_TRUE(FreeLibrary(hLibrary));
            break;
        }
        EXPECT_EQ(static_cast<DWORD>(ERROR_DLL_INIT_FAILED), GetLastError()) << nAnswers;
        ASSERT_EQ(2u, emu::ModuleEntryCalls().size()) << nAnswers;
        HMODULE hFailed = emu::ModuleEntryCalls()[0].module;
        EXPECT_EQ((std::vector<std::string>{"attach FALSE", "detach TRUE"}), EntryCalls(hFailed)) << nAnswers;
        EXPECT_EQ(nullptr, GetModuleHandleA("TalControl.dll")) << "unloaded after " << nAnswers;
        host.ExpectUnchanged();
    }
    // The file is asked for when the application object takes its name from it (an answer the framework can
    // do without), twice by the framework's start for the library, and once when the library's module is
    // entered among its resource libraries: the start and the entry each failed before the load succeeded.
    EXPECT_EQ(4u, nAnswers);
}

TEST(LoadFailureDeathTest, ALibraryLoadedWithoutLoadLibraryEndsTheProcessWhenItsStartFails) {
    EXPECT_EXIT(
        {
            emu::FailModuleFileName("TalControl.dll", 0);
            dlopen(kLibraryPath, RTLD_NOW);
        },
        testing::ExitedWithCode(1), "initialisation failed");
}

} // namespace
