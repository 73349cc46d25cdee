// Entry point of every test executable: the programs are built with -municode, which
// gtest_main's narrow main does not satisfy.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
