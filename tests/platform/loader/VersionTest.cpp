// Version records read through GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA, from a
// record that this test program declares as its own resource.
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const VS_FIXEDFILEINFO kFixed = {VS_FFI_SIGNATURE,
                                 VS_FFI_STRUCVERSION,
                                 0x00020003,
                                 0x00040005,
                                 0x00060007,
                                 0x00080009,
                                 VS_FFI_FILEFLAGSMASK,
                                 VS_FF_PRERELEASE,
                                 VOS_NT_WINDOWS32,
                                 VFT_APP,
                                 VFT2_UNKNOWN,
                                 0,
                                 0};
const std::vector<BYTE> g_record = emu::VersionRecord(kFixed)
                                       .String("040904E4", "FileVersion", "2.3.4.5")
                                       .String("040904E4", "LegalCopyright", "\xA9 Test")
                                       .String("040704B0", "FileVersion", "zwei")
                                       .Translation(0x0409, 1252)
                                       .Translation(0x0407, 1200)
                                       .Build();
EMU_RESOURCE(VS_FILE_INFO, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
             g_record.data(), g_record.size());

std::string OwnPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

class VersionTest : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        DWORD handle = 99;
        DWORD size = GetFileVersionInfoSizeA(OwnPath().c_str(), &handle);
        EXPECT_EQ(0u, handle);
        ASSERT_GT(size, g_record.size());
        m_block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(OwnPath().c_str(), 0, size, m_block.data()));
    }

    // The value as text, "(none)" when the query fails; the length reported goes after a '/'.
    std::string Query(const char* path) {
        LPVOID value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(m_block.data(), path, &value, &length))
            return "(none)";
        return std::string(static_cast<const char*>(value)) + "/" + std::to_string(length);
    }

    std::vector<BYTE> m_block;
};

TEST_F(VersionTest, TheRootIsTheFixedPartAndTheTranslationsAreLanguageAndCodePagePairs) {
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(m_block.data(), "\\", &value, &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
    EXPECT_EQ(0x00040005u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00080009u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VS_FF_PRERELEASE), fixed->dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

    ASSERT_TRUE(VerQueryValueA(m_block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(8u, length) << "bytes, not pairs";
    const WORD* pairs = static_cast<const WORD*>(value);
    EXPECT_EQ((std::vector<WORD>{0x0409, 1252, 0x0407, 1200}), std::vector<WORD>(pairs, pairs + 4));
}

TEST_F(VersionTest, StringsComeInTheAnsiCodePageWithTheirLengthInCharactersAndTheNull) {
    EXPECT_EQ("2.3.4.5/8", Query("\\StringFileInfo\\040904E4\\FileVersion"));
    EXPECT_EQ("zwei/5", Query("\\StringFileInfo\\040704B0\\FileVersion"));
    EXPECT_EQ("\xA9 Test/7", Query("\\StringFileInfo\\040904E4\\LegalCopyright"));
    EXPECT_EQ("2.3.4.5/8", Query("\\stringfileinfo\\040904e4\\FILEVERSION")) << "names compare without case";
    EXPECT_EQ("(none)", Query("\\StringFileInfo\\040904E4\\ProductVersion"));
    EXPECT_EQ("(none)", Query("\\StringFileInfo\\041104E4\\FileVersion"));
}

TEST_F(VersionTest, AShortBufferKeepsWhatFitsOfTheRecord) {
    // Room for the fixed part only: the strings after it are cut off.
    std::vector<BYTE> block(120);
    ASSERT_TRUE(GetFileVersionInfoA(OwnPath().c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    LPVOID value = nullptr;
    UINT length = 0;
    EXPECT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileVersion", &value, &length));
    EXPECT_FALSE(GetFileVersionInfoA(OwnPath().c_str(), 0, 4, block.data()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
}

TEST(VersionFilesTest, FilesWithoutALoadedRecordFail) {
    emu::Reset();
    DWORD handle = 0;
    EXPECT_EQ(0u, GetFileVersionInfoSizeA("NoSuchModule.dll", &handle));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    // A file that exists but is not loaded: the emulation knows resources of loaded modules only.
    EXPECT_EQ(0u, GetFileVersionInfoSizeA("/proc/self/status", &handle));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND), GetLastError());
    // The emulation's own library is loaded and has no resources.
    EXPECT_EQ(0u, GetFileVersionInfoSizeA("TalWin32Emu.dll", &handle));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND), GetLastError());
}

} // namespace
