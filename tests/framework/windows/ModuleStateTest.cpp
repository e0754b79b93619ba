// Module states: each module's own application and resources, switching the current state, and the order of
// the resource search.
#include "WindowsTest.h"

// The host's resources come from Host.rc, the library's from module/Library.rc.
#include "module/TestLibrary.h"

namespace {

class ModuleStateTest : public WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        m_hHost = GetModuleHandleA(nullptr);
        m_hLibrary = testlib::State()->m_hCurrentInstanceHandle;
    }
    static HINSTANCE Find(WORD id) { return AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_RCDATA); }

    HINSTANCE m_hHost = nullptr;
    HINSTANCE m_hLibrary = nullptr;
};

TEST_F(ModuleStateTest, EachModuleHasItsOwnStateAndApplication) {
    ASSERT_NE(nullptr, m_hLibrary);
    EXPECT_NE(m_hHost, m_hLibrary);
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
    EXPECT_EQ(m_hHost, AfxGetInstanceHandle());
    EXPECT_EQ(nullptr, AfxGetApp());

    CWinApp host("Host");
    EXPECT_EQ(&host, AfxGetApp());
    {
        AFX_MAINTAIN_STATE2 libraryState(testlib::State());
        EXPECT_EQ(testlib::State(), AfxGetModuleState());
        EXPECT_EQ(testlib::App(), AfxGetApp());
        EXPECT_EQ(m_hLibrary, AfxGetInstanceHandle());
        // Unnamed, the library's application is named after its file: libframework_windows_tests_module.so
        // here, framework_windows_tests_module.dll on Windows.
        char path[MAX_PATH] = {};
        GetModuleFileNameA(m_hLibrary, path, sizeof path);
        std::string file = path;
        file = file.substr(file.find_last_of("/\\") + 1);
        EXPECT_STREQ(file.substr(0, file.find('.')).c_str(), AfxGetApp()->m_pszAppName);
        EXPECT_NE(std::string::npos, file.find("framework_windows_tests_module"));
        {
            AFX_MAINTAIN_STATE2 hostState(AfxGetAppModuleState());
            EXPECT_EQ(&host, AfxGetApp());
        }
        EXPECT_EQ(testlib::App(), AfxGetApp());
    }
    EXPECT_EQ(&host, AfxGetApp());
    EXPECT_STREQ("Host", host.m_pszAppName);
}

TEST_F(ModuleStateTest, TheSearchLooksAtTheCurrentStateOnly) {
    ASSERT_TRUE(testlib::Load());
    // The library finds its own copy first, and falls back on its own handle for what it lacks.
    EXPECT_EQ(m_hLibrary, testlib::FindOwnResource(kResShared));
    EXPECT_EQ(m_hLibrary, testlib::FindOwnResource(kResHostOnly));
    // The host's state holds no resource library: the library's resources are not searched.
    EXPECT_EQ(m_hHost, Find(kResShared));
    EXPECT_EQ(m_hHost, Find(kResLibraryOnly));
    testlib::Unload();
    EXPECT_TRUE(testlib::State()->m_libraryList.empty());
}

TEST_F(ModuleStateTest, OwnResourcesComeBeforeResourceLibraries) {
    auto* pLibrary = new CDynLinkLibrary(m_hLibrary, m_hLibrary);
    EXPECT_EQ(m_hHost, Find(kResShared));
    EXPECT_EQ(m_hLibrary, Find(kResLibraryOnly));
    EXPECT_EQ(m_hHost, Find(kResHostOnly));

    // A system module's own resources come after the non-system libraries.
    AfxGetModuleState()->m_bSystem = TRUE;
    EXPECT_EQ(m_hLibrary, Find(kResShared));
    EXPECT_EQ(m_hHost, Find(kResHostOnly));
    AfxGetModuleState()->m_bSystem = FALSE;

    // The module's own resources are those of its current resource handle.
    AfxSetResourceHandle(m_hLibrary);
    EXPECT_EQ(m_hLibrary, Find(kResShared));
    AfxSetResourceHandle(m_hHost);

    delete pLibrary;
    EXPECT_TRUE(AfxGetModuleState()->m_libraryList.empty());
    EXPECT_EQ(m_hHost, Find(kResLibraryOnly));
}

TEST_F(ModuleStateTest, StringsAreLoadedFromTheModuleTheSearchFinds) {
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_SHARED));
    EXPECT_STREQ("host's string", text);
    EXPECT_FALSE(text.LoadString(IDS_LIBRARY_ONLY)) << "the host's state holds no resource library";
    auto* pLibrary = new CDynLinkLibrary(m_hLibrary, m_hLibrary);
    EXPECT_TRUE(text.LoadString(IDS_LIBRARY_ONLY));
    EXPECT_STREQ("library's own string", text);
    EXPECT_TRUE(text.LoadString(IDS_SHARED));
    EXPECT_STREQ("host's string", text) << "the host's own strings first";
    delete pLibrary;
    EXPECT_FALSE(text.LoadString(IDS_LIBRARY_ONLY));
    EXPECT_STREQ("host's string", text);
}

TEST_F(ModuleStateTest, LoadingFailsForSomethingThatIsNotAModule) {
    AFX_EXTENSION_MODULE extension = {FALSE, nullptr, nullptr};
    EXPECT_FALSE(AfxInitExtensionModule(extension, reinterpret_cast<HMODULE>(0x7ff0000)));
    EXPECT_FALSE(AfxWinInit(reinterpret_cast<HINSTANCE>(0x7ff0000), nullptr, nullptr, SW_SHOW));
    EXPECT_EQ(m_hHost, AfxGetInstanceHandle());

    EXPECT_TRUE(AfxInitExtensionModule(extension, m_hLibrary));
    new CDynLinkLibrary(extension);
    new CDynLinkLibrary(extension);
    EXPECT_EQ(2u, AfxGetModuleState()->m_libraryList.size());
    AfxTermExtensionModule(extension);
    EXPECT_TRUE(AfxGetModuleState()->m_libraryList.empty());
}

} // namespace
