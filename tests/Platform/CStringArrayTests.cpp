#include "CStringArray.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(CStringArray, AddInsertRemoveKeepOrder)
{
    CStringArray list;
    EXPECT_EQ(list.Add(L"b"), 0);
    list.Add(L"d");
    list.InsertAt(0, L"a");
    list.InsertAt(2, L"c");
    list.InsertAt(4, L"e");
    ASSERT_EQ(list.GetSize(), 5);
    for (int i = 0; i < list.GetSize(); ++i)
        EXPECT_EQ(list[i], CString(static_cast<wchar_t>(L'a' + i)));
    list.RemoveAt(0);
    list.SetAt(0, L"B");
    EXPECT_EQ(list.GetAt(0), L"B");
    EXPECT_EQ(list.GetUpperBound(), 3);
}

TEST(CStringArray, AccessOutsideTheListThrows)
{
    CStringArray list;
    EXPECT_THROW(list.GetAt(0), std::out_of_range);
    list.Add(L"x");
    EXPECT_THROW(list.GetAt(1), std::out_of_range);
    EXPECT_THROW(list.ElementAt(-1), std::out_of_range);
    EXPECT_THROW(list.InsertAt(2, L"y"), std::out_of_range);
    EXPECT_THROW(list.RemoveAt(1), std::out_of_range);
}
