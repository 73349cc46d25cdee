#include "GuidText.h"

#include <gtest/gtest.h>

#include <objbase.h>

namespace
{
const GUID kSample = { 0x0123ABCD, 0x4567, 0x89EF, { 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF } };
}

TEST(GuidText, MatchesStringFromGUID2)
{
    wchar_t expected[40] = {};
    ASSERT_EQ(StringFromGUID2(kSample, expected, 40), 39);
    EXPECT_EQ(GuidToString(kSample), expected);
    EXPECT_EQ(GuidToString(GUID_NULL), L"{00000000-0000-0000-0000-000000000000}");
}

TEST(GuidText, ParsesItsOwnFormAndRejectsOthers)
{
    GUID parsed = GUID_NULL;
    ASSERT_TRUE(GuidFromString(GuidToString(kSample), parsed));
    EXPECT_TRUE(IsEqualGUID(parsed, kSample));
    EXPECT_TRUE(GuidFromString(L"{0123abcd-4567-89ef-0123-456789abcdef}", parsed));
    EXPECT_TRUE(IsEqualGUID(parsed, kSample));
    const wchar_t* bad[] = { L"", L"0123ABCD-4567-89EF-0123-456789ABCDEF",
        L"{0123ABCD-4567-89EF-0123-456789ABCDEG}", L"{0123ABCD+4567-89EF-0123-456789ABCDEF}", nullptr };
    for (const wchar_t* text : bad)
        EXPECT_FALSE(GuidFromString(text, parsed)) << (text ? text : L"(null)");
}

TEST(GuidText, WordsAreTheBytesInMemoryOrder)
{
    uint32_t words[4] = {};
    GuidToWords(kSample, words);
    EXPECT_EQ(words[0], 0x0123ABCDu);
    EXPECT_EQ(words[1], 0x89EF4567u);
    EXPECT_EQ(words[2], 0x67452301u);
    EXPECT_TRUE(IsEqualGUID(GuidFromWords(words[0], words[1], words[2], words[3]), kSample));
    EXPECT_TRUE(IsNullGuid(GuidFromWords(0, 0, 0, 0)));
    EXPECT_TRUE(GuidLess()(GUID_NULL, kSample));
    EXPECT_FALSE(GuidLess()(kSample, kSample));
}
