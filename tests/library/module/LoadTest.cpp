// Loading and unloading the library: its entry runs the framework's start for the library on load and the
// reverse on unload, under its own module state, and the host's state stays as it was.
#include "LoadedLibrary.h"

#include <thread>

namespace {

class LoadTest : public testing::Test {
protected:
    void SetUp() override { emu::Reset(); }
    HostState m_host;
};

TEST_F(LoadTest, LoadAttachesTheLibraryUnderItsOwnStateAndUnloadLeavesAStaleHandle) {
    HMODULE hLibrary = LoadLibraryA(kLibraryPath);
    ASSERT_NE(nullptr, hLibrary);
    EXPECT_EQ((std::vector<std::string>{"attach TRUE"}), EntryCalls(hLibrary));
    EXPECT_EQ(hLibrary, GetModuleHandleA("TalControl.dll"));
    m_host.ExpectUnchanged();

    EXPECT_TRUE(FreeLibrary(hLibrary));
    EXPECT_EQ((std::vector<std::string>{"attach TRUE", "detach TRUE"}), EntryCalls(hLibrary));
    m_host.ExpectUnchanged();
    EXPECT_EQ(nullptr, GetModuleHandleA("TalControl.dll"));
    char szPath[MAX_PATH];
    EXPECT_EQ(0u, GetModuleFileNameA(hLibrary, szPath, MAX_PATH));
    EXPECT_EQ(nullptr, FindResourceA(hLibrary, MAKEINTRESOURCEA(3001), RT_BITMAP));
    EXPECT_FALSE(FreeLibrary(hLibrary));
}

TEST_F(LoadTest, OnlyTheLastFreeUnloadsAndAReloadGetsANewHandle) {
    HMODULE hFirst = LoadLibraryA(kLibraryPath);
    ASSERT_NE(nullptr, hFirst);
    EXPECT_EQ(hFirst, LoadLibraryA("TalControl.dll"));
    EXPECT_TRUE(FreeLibrary(hFirst));
    EXPECT_EQ((std::vector<std::string>{"attach TRUE"}), EntryCalls(hFirst));
    EXPECT_EQ(hFirst, GetModuleHandleA("TalControl.dll"));
    EXPECT_TRUE(FreeLibrary(hFirst));
    EXPECT_EQ((std::vector<std::string>{"attach TRUE", "detach TRUE"}), EntryCalls(hFirst));

    HMODULE hSecond = LoadLibraryA(kLibraryPath);
    ASSERT_NE(nullptr, hSecond);
    EXPECT_NE(hFirst, hSecond);
    EXPECT_NE(nullptr, FindResourceA(hSecond, MAKEINTRESOURCEA(3001), RT_BITMAP));
    EXPECT_TRUE(FreeLibrary(hSecond));
}

TEST_F(LoadTest, AnEndingThreadReleasesTheLibrarysThreadDataWhileLoaded) {
    HMODULE hLibrary = LoadLibraryA(kLibraryPath);
    ASSERT_NE(nullptr, hLibrary);
    std::thread([] { GetModuleHandleA("TalControl.dll"); }).join();
    EXPECT_EQ((std::vector<std::string>{"attach TRUE", "thread-detach TRUE"}), EntryCalls(hLibrary));
    m_host.ExpectUnchanged();
    EXPECT_TRUE(FreeLibrary(hLibrary));
    std::thread([] { GetModuleHandleA("TalControl.dll"); }).join();
    EXPECT_EQ((std::vector<std::string>{"attach TRUE", "thread-detach TRUE", "detach TRUE"}),
              EntryCalls(hLibrary));
}

} // namespace
