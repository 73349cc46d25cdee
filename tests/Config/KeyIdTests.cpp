#include "KeyId.h"

#include <gtest/gtest.h>

TEST(HashKeyName, IsDjb2OverUtf16CodeUnits)
{
    struct Case { const wchar_t* name; int32_t id; };
    const Case cases[] = {
        { L"", 5381 },
        { L"abc", 193485963 },
        { L"a", 177670 },
        // Long names wrap at 32 bits and may come out negative.
        { L"Up Arrow (Note 1)", static_cast<int32_t>(0xD74BC3CDu) },
        { L"\u00e4 \u00c4", static_cast<int32_t>(0x0B8A81ADu) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(HashKeyName(c.name), c.id) << c.name;
    EXPECT_EQ(HashKeyName(nullptr), 5381);
}
