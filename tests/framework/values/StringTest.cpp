#include <cstdio>
#include <string>

#include "afx/Array.h"
#include "afx/String.h"
#include "ValuesTest.h"

using StringTest = ValuesTest;

// "表" in code page 932: lead byte 0x95, trail byte 0x5C (the backslash's code).
#define SJIS_HYO "\x95\x5C"

TEST_F(StringTest, Construction) {
    EXPECT_STREQ(CString(static_cast<LPCSTR>(NULL)), "");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_STREQ(CString('x', 3), "xxx");
    EXPECT_STREQ(CString('x', 0), "");
    EXPECT_STREQ(CString(reinterpret_cast<const unsigned char*>("u")), "u");
    CString moved("moved");
    CString target(std::move(moved));
    EXPECT_STREQ(target, "moved");
    EXPECT_TRUE(moved.IsEmpty());
    EXPECT_TRUE(ThrowsInvalidArg([] { CString("abc", -1); }));
}

TEST_F(StringTest, LeftMidRightClampLikeTheFramework) {
    const CString s("abcdef");
    struct Case {
        CString result;
        const char* expected;
    };
    const Case cases[] = {
        {s.Left(2), "ab"},
        {s.Left(0), ""},
        {s.Left(-3), ""},
        {s.Left(99), "abcdef"},
        {s.Right(2), "ef"},
        {s.Right(-1), ""},
        {s.Right(99), "abcdef"},
        {s.Mid(2), "cdef"},
        {s.Mid(-5), "abcdef"},
        {s.Mid(6), ""},
        {s.Mid(7), ""},
        {s.Mid(1, 3), "bcd"},
        {s.Mid(4, 99), "ef"},
        {s.Mid(-2, 3), "abc"},
        {s.Mid(2, -1), ""},
        {s.Mid(9, 2), ""},
        {s.Mid(3, 0x7fffffff), "def"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_STREQ(cases[i].result, cases[i].expected) << "case " << i;
}

TEST_F(StringTest, FormatMatchesPrintfForManyConversions) {
    CString s;
    s.Format("%d|%5.2f|%-4s|%x|%X|%c|%%|%ld|%s|%08.3e|%u|%+i|%p", -42, 3.14159, "ab", 255u, 255u, 'Z',
             123456789L, "", 1234.5, 4000000000u, 7, static_cast<void*>(&s));
    char expected[256];
    std::snprintf(expected, sizeof expected, "%d|%5.2f|%-4s|%x|%X|%c|%%|%ld|%s|%08.3e|%u|%+i|%p", -42,
                  3.14159, "ab", 255u, 255u, 'Z', 123456789L, "", 1234.5, 4000000000u, 7,
                  static_cast<void*>(&s));
    EXPECT_STREQ(s, expected);

    std::string longText(100000, 'q');
    s.Format("<%s>%d", longText.c_str(), 5);
    EXPECT_EQ(s.GetLength(), 100003);
    EXPECT_EQ(std::string(s), "<" + longText + ">5");

    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST_F(StringTest, FormatAndAppendMayUseTheStringItself) {
    CString s("abc");
    s.Format("[%s]", s.GetString());
    EXPECT_STREQ(s, "[abc]");
    s.AppendFormat("%s-%d", s.GetString(), 1);
    EXPECT_STREQ(s, "[abc][abc]-1");
    s = "xy";
    s += s;
    s.Append(s.GetString() + 1);
    EXPECT_STREQ(s, "xyxyyxy");
    s = s.GetString() + 4;
    EXPECT_STREQ(s, "yxy");
}

TEST_F(StringTest, IndexedAccessChecksBoundsAndWritesNothingOnFailure) {
    CString s("abc");
    EXPECT_EQ(s.GetAt(2), 'c');
    EXPECT_EQ(s[3], '\0') << "the terminator may be read";
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(4); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(3, 'x'); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(-1, 'x'); }));
    EXPECT_STREQ(s, "abc");
    s.SetAt(0, 'X');
    EXPECT_STREQ(s, "Xbc");
}

TEST_F(StringTest, BufferAccess) {
    CString s("ab");
    LPSTR buffer = s.GetBuffer(10);
    std::snprintf(buffer, 11, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 10);
    buffer = s.GetBuffer(0);
    s.ReleaseBuffer(4);
    EXPECT_STREQ(s, "0123");
    buffer = s.GetBufferSetLength(6);
    buffer[4] = 'x';
    buffer[5] = 'y';
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "0123xy");
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetBuffer(-1); }));
    CString empty;
    std::snprintf(empty.GetBuffer(0), 1, "%s", "");
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST_F(StringTest, TextPointerSurvivesMovesOfTheStringObject) {
    CArray<CString> strings;
    strings.Add(CString("first"));
    LPCSTR text = strings[0];
    for (int i = 0; i < 1000; ++i)
        strings.Add(CString("more"));
    EXPECT_EQ(strings[0].GetString(), text);
}

TEST_F(StringTest, ComparisonOperatorsWithTextOnEitherSide) {
    CString b("b");
    EXPECT_TRUE(b == "b" && "b" == b && b != "c" && "c" != b);
    EXPECT_TRUE(b < "c" && "a" < b && b > "a" && "c" > b);
    EXPECT_TRUE(b <= "b" && "b" <= b && b >= "b" && "b" >= b);
    EXPECT_TRUE(CString("\xE9") > "z") << "bytes compare unsigned";
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_EQ(CString("\xC9t\xC9").CompareNoCase("\xE9T\xE9"), 0) << "1252 letters fold too";
    EXPECT_LT(CString("a").CompareNoCase("B"), 0);
    EXPECT_LT(CString("_").CompareNoCase("A"), 0) << "folded to lower case";
    EXPECT_EQ(CString("x").Collate("x"), 0);
    EXPECT_TRUE(ThrowsInvalidArg([&] { b.Compare(NULL); }));
}

TEST_F(StringTest, ConcatenationCombinations) {
    CString s("a");
    EXPECT_STREQ(s + "b", "ab");
    EXPECT_STREQ("b" + s, "ba");
    EXPECT_STREQ(s + 'c', "ac");
    EXPECT_STREQ('c' + s, "ca");
    EXPECT_STREQ(s + s, "aa");
    s += 'x';
    s += "yz";
    s += CString("!");
    EXPECT_STREQ(s, "axyz!");
}

TEST_F(StringTest, SearchesInSingleByteText) {
    const CString s("a\\b\\c");
    EXPECT_EQ(s.Find('\\'), 1);
    EXPECT_EQ(s.Find('\\', 2), 3);
    EXPECT_EQ(s.Find('\\', 4), -1);
    EXPECT_EQ(s.Find('a', -1), -1);
    EXPECT_EQ(s.Find("b\\"), 2);
    EXPECT_EQ(s.Find("", 5), 5);
    EXPECT_EQ(s.Find("c", 6), -1);
    EXPECT_EQ(s.Find(static_cast<LPCSTR>(NULL)), -1);
    EXPECT_EQ(s.ReverseFind('\\'), 3);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
    EXPECT_STREQ(s.SpanIncluding("ab\\"), "a\\b\\");
    EXPECT_STREQ(s.SpanExcluding("\\"), "a");
}

TEST_F(StringTest, DoubleByteTrailBytesAreNeverTakenForBackslashes) {
    emu::SetSystemCodePage(932);
    const CString path(SJIS_HYO "\\" SJIS_HYO);
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find("\\"), 2);
    EXPECT_EQ(path.ReverseFind('\\'), 2);
    EXPECT_EQ(path.FindOneOf("\\/"), 2);
    EXPECT_STREQ(path.SpanExcluding("\\"), SJIS_HYO);
    EXPECT_EQ(CString(SJIS_HYO).Find('\\'), -1);
    EXPECT_EQ(CString(SJIS_HYO).Find("\\"), -1);
    EXPECT_EQ(CString(SJIS_HYO "a").Find(SJIS_HYO), 0) << "whole double-byte characters still match";

    int start = 0;
    EXPECT_STREQ(path.Tokenize("\\", start), SJIS_HYO);
    EXPECT_STREQ(path.Tokenize("\\", start), SJIS_HYO);
    EXPECT_STREQ(path.Tokenize("\\", start), "");
    EXPECT_EQ(start, -1);

    CString trimmed("\\" SJIS_HYO "\\\\");
    trimmed.Trim("\\");
    EXPECT_STREQ(trimmed, SJIS_HYO);
    trimmed.TrimRight('\\');
    EXPECT_STREQ(trimmed, SJIS_HYO);

    CString edited(SJIS_HYO "\\");
    EXPECT_EQ(edited.Replace('\\', '/'), 1);
    EXPECT_STREQ(edited, SJIS_HYO "/");
    EXPECT_EQ(edited.Remove('\\'), 0);
    EXPECT_EQ(edited.Replace("\\", "|"), 0);
    edited.MakeReverse();
    EXPECT_STREQ(edited, "/" SJIS_HYO);
    // 0x83 0x61 is one character whose trail byte has the code of 'a'.
    CString katakana("\x83\x61"
                     "a");
    katakana.MakeUpper();
    EXPECT_STREQ(katakana, "\x83\x61"
                           "A");
}

TEST_F(StringTest, SingleByteCodePageSplitsTheSameBytes) {
    const CString path(SJIS_HYO);
    EXPECT_EQ(path.Find('\\'), 1);
    CString trimmed(path);
    trimmed.TrimRight('\\');
    EXPECT_STREQ(trimmed, "\x95");
}

TEST_F(StringTest, TrimWhitespaceCharactersAndSets) {
    struct Case {
        const char* text;
        int kind; // 0: whitespace, 1: char 'x', 2: set "xy"
        const char* left;
        const char* right;
        const char* both;
    };
    const Case cases[] = {
        {" \t a b \r\n", 0, "a b \r\n", " \t a b", "a b"},
        {"   ", 0, "", "", ""},
        {"", 0, "", "", ""},
        {"xxaxx", 1, "axx", "xxa", "a"},
        {"xyaxyb yx", 2, "axyb yx", "xyaxyb ", "axyb "},
        {"ab", 2, "ab", "ab", "ab"},
    };
    for (const Case& c : cases) {
        CString left(c.text), right(c.text), both(c.text);
        if (c.kind == 0) {
            left.TrimLeft(), right.TrimRight(), both.Trim();
        } else if (c.kind == 1) {
            left.TrimLeft('x'), right.TrimRight('x'), both.Trim('x');
        } else {
            left.TrimLeft("xy"), right.TrimRight("xy"), both.Trim("xy");
        }
        EXPECT_STREQ(left, c.left) << '"' << c.text << '"';
        EXPECT_STREQ(right, c.right) << '"' << c.text << '"';
        EXPECT_STREQ(both, c.both) << '"' << c.text << '"';
    }
    CString unchanged(" a ");
    unchanged.Trim("");
    EXPECT_STREQ(unchanged, " a ");
}

TEST_F(StringTest, TokenizeWalksTheTokensThenReportsTheEnd) {
    const CString s("%First Second#Third");
    int start = 0;
    EXPECT_STREQ(s.Tokenize("% #", start), "First");
    EXPECT_EQ(start, 7);
    EXPECT_STREQ(s.Tokenize("% #", start), "Second");
    EXPECT_STREQ(s.Tokenize("% #", start), "Third");
    EXPECT_EQ(start, s.GetLength() + 1);
    EXPECT_STREQ(s.Tokenize("% #", start), "");
    EXPECT_EQ(start, -1);
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.Tokenize("% #", start); }));

    start = 0;
    EXPECT_STREQ(CString("##").Tokenize("#", start), "");
    EXPECT_EQ(start, -1);
    start = 3;
    EXPECT_STREQ(s.Tokenize("", start), "rst Second#Third") << "no delimiters: the rest is one token";
    EXPECT_EQ(start, s.GetLength() + 1);
}

TEST_F(StringTest, EditingOperations) {
    CString s("a-b-c");
    EXPECT_EQ(s.Replace("-", "--"), 2);
    EXPECT_STREQ(s, "a--b--c");
    EXPECT_EQ(s.Replace("--", ""), 2);
    EXPECT_STREQ(s, "abc");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("aa", "x"), 0);
    EXPECT_EQ(CString("aaa").Replace("aa", "b"), 1);
    EXPECT_EQ(s.Replace('b', 'b'), 0);
    EXPECT_EQ(s.Insert(1, "XY"), 5);
    EXPECT_STREQ(s, "aXYbc");
    EXPECT_EQ(s.Insert(-4, '<'), 6);
    EXPECT_EQ(s.Insert(99, '>'), 7);
    EXPECT_STREQ(s, "<aXYbc>");
    EXPECT_EQ(s.Delete(1, 3), 4);
    EXPECT_STREQ(s, "<bc>");
    EXPECT_EQ(s.Delete(3, 99), 3);
    EXPECT_EQ(s.Delete(9, 1), 3);
    EXPECT_EQ(s.Delete(-1, 1), 2);
    EXPECT_STREQ(s, "bc");
    EXPECT_EQ(CString("a.b.c").Remove('.'), 2);
    CString mixed("Mixed \xC9t\xE9 ok");
    mixed.MakeUpper();
    EXPECT_STREQ(mixed, "MIXED \xC9T\xC9 OK");
    mixed.MakeLower();
    EXPECT_STREQ(mixed, "mixed \xE9t\xE9 ok");
    EXPECT_STREQ(CString("abc").MakeReverse(), "cba");
    CString truncated("abcdef");
    truncated.Truncate(2);
    EXPECT_STREQ(truncated, "ab");
    EXPECT_TRUE(ThrowsInvalidArg([&] { truncated.Truncate(3); }));
}
