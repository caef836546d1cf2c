#include "data/TemporaryFileName.h"

#include <gtest/gtest.h>

namespace {

using Text = TemporaryFileName::Text;

// A name in the platform's own characters, from UTF-8.
Text native(std::string_view utf8)
{
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()))
        .native();
}

TEST(TemporaryFileNameTest, AMadeNameIsHiddenAndTellsItsOwner)
{
    const Text target = native("tapomi.txt");
    const Text name = TemporaryFileName::make(target, 4242, 7);
    EXPECT_EQ(name, native(".tapomi.txt.4242.7.tmp"));
    EXPECT_EQ(TemporaryFileName::owner(name, target), 4242u);

    // A name that only a wide string or UTF-8 holds goes through unchanged.
    const Text folderName = native("\xED\x95\x9C\xEA\xB8\x80.txt");
    EXPECT_EQ(TemporaryFileName::owner(TemporaryFileName::make(folderName, 9, 0), folderName), 9u);
}

TEST(TemporaryFileNameTest, OtherNamesHaveNoOwner)
{
    const Text target = native("tapomi.txt");
    for (const char* other : { "tapomi.txt", ".tapomi.txt.bak", ".tapomi.txt.12.tmp",
             ".tapomi.txt..3.tmp", ".tapomi.txt.12.x.tmp", ".Fname.txt.12.3.tmp",
             ".tapomi.txt.12.3.tmp.txt", ".tapomi.txt.tmp" }) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(TemporaryFileName::owner(native(other), target));
    }
    // A number too long to be a process's is no process: such a file goes only when it is old.
    EXPECT_EQ(TemporaryFileName::owner(native(".tapomi.txt.12345678901.3.tmp"), target), 0u);
}

} // namespace
