#include "cards/FolderCheck.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

// Linux's own: names a Windows folder can't hold, bytes that are no text and a double quote.

namespace {

TEST(FolderCheckPosixTest, NamesOnlyLinuxAllowsAreReportedForRenaming)
{
    struct Case
    {
        std::string bytes;
        std::u16string shown;
        FolderFinding::Kind kind;
        std::u16string suggestedName;
        std::u16string reasonHas;
    };
    const Case cases[] = {
        { "\x82\xA0.jpg", u"\uFFFD\uFFFD.jpg", FolderFinding::Kind::NameNotStorable, u"",
            u"読めない" }, // a Shift-JIS name, no UTF-8
        { "\"\xE3\x81\x95\xE3\x82\x8B\".jpg", u"\"さる\".jpg", FolderFinding::Kind::QuoteInName,
            u"さる.jpg", u"\"" },
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.write("\xE3\x81\x84\xE3\x81\xAC.jpg", "x"); // いぬ.jpg, a card a child can answer
        folder.write(c.bytes, "x");

        const std::vector<FolderFinding> findings = FolderCheck(folder.path()).Run();
        ASSERT_EQ(findings.size(), 1u) << c.bytes;
        const FolderFinding& finding = findings[0];
        EXPECT_EQ(finding.fileName, c.shown) << c.bytes;
        EXPECT_EQ(finding.kind, c.kind) << c.bytes;
        EXPECT_EQ(finding.fix, FolderFinding::Fix::Rename) << c.bytes;
        EXPECT_EQ(finding.suggestedName, c.suggestedName) << c.bytes;
        EXPECT_NE(finding.reason.find(c.reasonHas), std::u16string::npos) << c.bytes;
        EXPECT_TRUE(std::filesystem::exists(finding.file)) << c.bytes;
    }
}

} // namespace
