#include "CString.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(CStringFormat, PercentSTakesAWideString)
{
    CString text;
    text.Format(L"%s-%d", L"ab", 3);
    EXPECT_EQ(text, L"ab-3");
}

TEST(CStringFormat, LongOutputAndAppend)
{
    CString long300(L'x', 300);
    CString text;
    text.Format(L"[%s]", long300.GetString());
    EXPECT_EQ(text.GetLength(), 302);
    text.AppendFormat(L"%s%s", L"na", L"me");
    EXPECT_EQ(text.Right(5), L"]name");
    EXPECT_EQ(FormatString(L"%08lX", 0xABCDul), L"0000ABCD");
}

TEST(CStringCompare, CaseSensitiveAndInsensitive)
{
    CString name(L"Profile");
    EXPECT_EQ(name.Compare(L"Profile"), 0);
    EXPECT_NE(name.Compare(L"profile"), 0);
    EXPECT_EQ(name.CompareNoCase(L"PROFILE"), 0);
    EXPECT_LT(name.CompareNoCase(L"profilez"), 0);
    EXPECT_GT(name.CompareNoCase(L"PROFILA"), 0);
    // Case folding reaches beyond ASCII: key names such as "ä Ä" depend on it.
    EXPECT_EQ(CString(L"\u00e4").CompareNoCase(L"\u00c4"), 0);
    EXPECT_EQ(CString().CompareNoCase(nullptr), 0);
}

TEST(CStringSlices, ClampOutOfRangeCounts)
{
    struct Case { CString got; const wchar_t* want; };
    const CString text(L"abcdef");
    const Case cases[] = {
        { text.Left(2), L"ab" }, { text.Left(10), L"abcdef" }, { text.Left(-1), L"" },
        { text.Mid(2), L"cdef" }, { text.Mid(2, 2), L"cd" }, { text.Mid(5, 9), L"f" },
        { text.Mid(9), L"" }, { text.Mid(-3, 2), L"ab" },
        { text.Right(2), L"ef" }, { text.Right(99), L"abcdef" }, { text.Right(0), L"" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(CStringSearch, FindAndReverseFind)
{
    const CString path(L"C:\\Games\\game.exe");
    EXPECT_EQ(path.Find(L'\\'), 2);
    EXPECT_EQ(path.Find(L'\\', 3), 8);
    EXPECT_EQ(path.Find(L"game"), 9);
    EXPECT_EQ(path.Find(L"Games", 4), -1);
    EXPECT_EQ(path.Find(L'x', 99), -1);
    EXPECT_EQ(path.ReverseFind(L'\\'), 8);
    EXPECT_EQ(path.ReverseFind(L'?'), -1);
}

TEST(CStringEdit, TrimCaseReplaceRemove)
{
    CString text(L"  \tKey Name \r\n");
    EXPECT_EQ(text.Trim(), L"Key Name");
    EXPECT_EQ(CString(L"$$x$").Trim(L'$'), L"x");
    EXPECT_EQ(CString(L"  x ").TrimLeft(), L"x ");
    EXPECT_EQ(CString(L"  x ").TrimRight(), L"  x");
    EXPECT_EQ(CString(L"Straße ä").MakeUpper(), L"STRAßE Ä");
    EXPECT_EQ(CString(L"ÄB").MakeLower(), L"äb");
    CString spaced(L"a b  c");
    EXPECT_EQ(spaced.Remove(L' '), 3);
    EXPECT_EQ(spaced, L"abc");
    CString repeated(L"aaa");
    EXPECT_EQ(repeated.Replace(L"a", L"aa"), 3);
    EXPECT_EQ(repeated, L"aaaaaa");
}

TEST(CStringBuffer, ReleaseBufferTakesTheWrittenLength)
{
    CString text(L"abc");
    wchar_t* buffer = text.GetBuffer(10);
    wcscpy(buffer, L"hello");
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"hello");
    EXPECT_EQ(text.GetLength(), 5);
    text.GetBuffer(8);
    text.ReleaseBuffer(2);
    EXPECT_EQ(text, L"he");
}

TEST(CStringAccess, IndexOutsideTheTextThrows)
{
    CString text(L"ab");
    EXPECT_EQ(text[1], L'b');
    EXPECT_THROW(text.GetAt(2), std::out_of_range);
    EXPECT_THROW(text.GetAt(-1), std::out_of_range);
    EXPECT_THROW(text.SetAt(2, L'x'), std::out_of_range);
}

TEST(CStringOperators, ConcatenationAndComparison)
{
    CString a(L"Key");
    EXPECT_EQ(a + L" " + CString(L"map") + L'1', L"Key map1");
    EXPECT_EQ(L'#' + a, L"#Key");
    EXPECT_TRUE(L"Key" == a);
    EXPECT_TRUE(a != L"key");
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_EQ(CString(static_cast<const wchar_t*>(nullptr)), L"");
}
