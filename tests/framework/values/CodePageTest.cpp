#include <windows.h>

#include "ValuesTest.h"

using CodePageTest = ValuesTest;

TEST_F(CodePageTest, SystemCodePageIs1252UntilSetAndAgainAfterReset) {
    EXPECT_EQ(GetACP(), 1252u);
    emu::SetSystemCodePage(932);
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_TRUE(IsDBCSLeadByte(0x81));
    emu::Reset();
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_FALSE(IsDBCSLeadByte(0x81));
}

TEST_F(CodePageTest, LeadByteRangesOfEachCodePage) {
    struct Case {
        UINT codePage;
        BYTE byte;
        BOOL lead;
    };
    const Case cases[] = {
        {932, 0x80, FALSE}, {932, 0x81, TRUE},  {932, 0x9F, TRUE},   {932, 0xA0, FALSE},  {932, 0xDF, FALSE},
        {932, 0xE0, TRUE},  {932, 0xFC, TRUE},  {932, 0xFD, FALSE},  {932, 0x5C, FALSE},  {936, 0x80, FALSE},
        {936, 0x81, TRUE},  {936, 0xFE, TRUE},  {936, 0xFF, FALSE},  {949, 0x81, TRUE},   {949, 0xA0, TRUE},
        {950, 0xFE, TRUE},  {950, 0x7F, FALSE}, {1252, 0x81, FALSE}, {1252, 0xE0, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDBCSLeadByteEx(c.codePage, c.byte), c.lead) << c.codePage << " byte " << int(c.byte);
}

TEST_F(CodePageTest, AnsiCodePageArgumentFollowsTheSystem) {
    EXPECT_FALSE(IsDBCSLeadByteEx(CP_ACP, 0x95));
    emu::SetSystemCodePage(936);
    EXPECT_TRUE(IsDBCSLeadByteEx(CP_ACP, 0x95));
    EXPECT_FALSE(IsDBCSLeadByteEx(1252, 0x95));
}

TEST_F(CodePageTest, CharNextStepsOverPairsButNeverPastTheNul) {
    const char text[] = "\x95\x5C"
                        "a\x95";
    emu::SetSystemCodePage(932);
    EXPECT_EQ(CharNextA(text), text + 2);
    EXPECT_EQ(CharNextA(text + 2), text + 3);
    EXPECT_EQ(CharNextA(text + 3), text + 4) << "a lead byte before the NUL is one character";
    EXPECT_EQ(CharNextA(text + 4), text + 4);
    emu::SetSystemCodePage(1252);
    EXPECT_EQ(CharNextA(text), text + 1);
}

TEST_F(CodePageTest, CharPrevFindsTheStartOfThePreviousCharacter) {
    const char text[] = "a\x95\x5C\x95\x5C";
    emu::SetSystemCodePage(932);
    EXPECT_EQ(CharPrevA(text, text + 5), text + 3);
    EXPECT_EQ(CharPrevA(text, text + 3), text + 1);
    EXPECT_EQ(CharPrevA(text, text + 2), text + 1) << "from inside a pair";
    EXPECT_EQ(CharPrevA(text, text + 1), text);
    EXPECT_EQ(CharPrevA(text, text), text);
    emu::SetSystemCodePage(1252);
    EXPECT_EQ(CharPrevA(text, text + 5), text + 4);
}

TEST_F(CodePageTest, LstrlenCountsBytesAndAcceptsNull) {
    EXPECT_EQ(lstrlenA(NULL), 0);
    EXPECT_EQ(lstrlenA(""), 0);
    EXPECT_EQ(lstrlenA("\x95\x5C"
                       "ab"),
              4);
}
