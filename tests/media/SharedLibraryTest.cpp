#include "media/SharedLibrary.h"

#include <gtest/gtest.h>

namespace {

// The C library's mathematics and a name no system has, as the build names them on this system.
TEST(SharedLibraryTest, BindsWhatTheLibraryHasAndNothingElse)
{
    const SharedLibrary maths(TAPOMI_TEST_MATHS_LIBRARY);
    ASSERT_TRUE(maths.loaded());
    double (*root)(double) = nullptr;
    ASSERT_TRUE(maths.bind(root, "sqrt"));
    EXPECT_EQ(root(81.0), 9.0);
    int (*missing)() = nullptr;
    EXPECT_FALSE(maths.bind(missing, "tapomi_no_such_function"));
    EXPECT_EQ(missing, nullptr);

    // A machine without the library: nothing is bound, and nothing fails.
    const SharedLibrary absent(TAPOMI_TEST_ABSENT_LIBRARY);
    EXPECT_FALSE(absent.loaded());
    EXPECT_FALSE(absent.bind(root, "sqrt"));
    EXPECT_EQ(root, nullptr);
}

} // namespace
