#include "media/SharedLibrary.h"

#include <gtest/gtest.h>

namespace {

TEST(SharedLibraryTest, BindsWhatTheLibraryHasAndNothingElse)
{
    const SharedLibrary maths("libm.so.6");
    ASSERT_TRUE(maths.loaded());
    double (*root)(double) = nullptr;
    ASSERT_TRUE(maths.bind(root, "sqrt"));
    EXPECT_EQ(root(81.0), 9.0);
    int (*missing)() = nullptr;
    EXPECT_FALSE(maths.bind(missing, "tapomi_no_such_function"));
    EXPECT_EQ(missing, nullptr);

    // A machine without the library: nothing is bound, and nothing fails.
    const SharedLibrary absent("libtapomi-no-such-library.so.0");
    EXPECT_FALSE(absent.loaded());
    EXPECT_FALSE(absent.bind(root, "sqrt"));
    EXPECT_EQ(root, nullptr);
}

} // namespace
