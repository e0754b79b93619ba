// String tables from the script: LoadStringA's copies, cuts and failures, and the framework's
// CString::LoadString.
#include "ResourcesTest.h"

#include <afxres.h>

#include <cstring>

using StringsTest = ResourcesTest;

namespace {

// IDS_LONG: seven times this sentence.
constexpr int kLongLength = 7 * (sizeof "The quick brown fox jumps over the lazy dog. " - 1);

} // namespace

TEST_F(StringsTest, StringsOfBothBlocksAreCopiedWithTheirNul) {
    char buffer[64];
    struct Case {
        UINT id;
        const char* text;
    } cases[] = {{IDS_ONE, "One"},
                 {IDS_FIFTEEN, "Fifteen"},
                 {IDS_SIXTEEN, "Sixteen"},
                 {AFX_IDS_IDLEMESSAGE, "Ready"},
                 // The high word of the ID is not looked at.
                 {static_cast<UINT>(MAKELONG(IDS_ONE, 0xFFFF)), "One"},
                 // UTF-16 in the resource, the ANSI code page (1252) in the buffer.
                 {IDS_SHARP_S, "Stra\xDF"
                               "e"}};
    for (const Case& c : cases) {
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(static_cast<int>(std::strlen(c.text)), LoadStringA(m_hModule, c.id, buffer, sizeof buffer))
            << c.id;
        EXPECT_STREQ(c.text, buffer);
    }
}

TEST_F(StringsTest, AShortBufferGetsTheStringCutAndTerminated) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(3, LoadStringA(m_hModule, IDS_FIFTEEN, buffer, 4));
    EXPECT_STREQ("Fif", buffer);
    EXPECT_EQ('x', buffer[4]) << "nothing past the buffer's size";
    EXPECT_EQ(7, LoadStringA(m_hModule, IDS_FIFTEEN, buffer, 8));
    EXPECT_STREQ("Fifteen", buffer);
    EXPECT_EQ(0, LoadStringA(m_hModule, IDS_FIFTEEN, buffer, 1));
    EXPECT_STREQ("", buffer);
}

TEST_F(StringsTest, MissingStringsAndAZeroSizeFail) {
    char buffer[16] = "unchanged";
    // 2 lies in the first block, which holds no string 2; 40 in a block the module lacks.
    EXPECT_EQ(0, LoadStringA(m_hModule, 2, buffer, sizeof buffer));
    EXPECT_EQ(0, LoadStringA(m_hModule, 40, buffer, sizeof buffer));
    // Only the wide function hands out a pointer for a size of 0; the ANSI one answers -1.
    std::strcpy(buffer, "unchanged");
    EXPECT_EQ(-1, LoadStringA(m_hModule, IDS_ONE, buffer, 0));
    EXPECT_STREQ("unchanged", buffer);
}

TEST_F(StringsTest, CStringLoadsFromTheResourceSearchAndKeepsItsTextOnFailure) {
    CString text("before");
    EXPECT_TRUE(text.LoadString(IDS_SIXTEEN));
    EXPECT_STREQ("Sixteen", text);
    EXPECT_FALSE(text.LoadString(2));
    EXPECT_STREQ("Sixteen", text);
    EXPECT_TRUE(text.LoadString(m_hModule, IDS_ONE));
    EXPECT_STREQ("One", text);
    // Longer than a first guess at its length.
    ASSERT_TRUE(text.LoadString(IDS_LONG));
    EXPECT_EQ(kLongLength, text.GetLength());
    EXPECT_EQ(0, text.Find("The quick brown fox"));
    EXPECT_EQ(text.GetLength() - 5, text.Find("dog. ", text.GetLength() - 6));
}
