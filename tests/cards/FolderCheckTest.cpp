#include "cards/FolderCheck.h"

#include "app/Utf8Text.h"
#include "cards/FolderCheckCommand.h"
#include "data/PathText.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

using Kind = FolderFinding::Kind;
using Fix = FolderFinding::Fix;

struct Expected
{
    std::u16string file;
    Kind kind;
    Fix fix;
    std::u16string suggestedName;
    std::u16string reasonHas; // a part of the reason the teacher must read
};

std::string utf8(std::u16string_view text)
{
    return Utf8Text::encode(text);
}

auto key(const std::u16string& file, Kind kind)
{
    return std::make_tuple(file, static_cast<int>(kind));
}

TEST(FolderCheckTest, FindsEveryPictureAChildCannotAnswer)
{
    TempFolder folder;
    // The Talking Aid keyboard is set, so the reasons name it alone.
    folder.write("tapomi.txt", "#TRUE#,#FALSE#,#TRUE#,#TRUE#,1\r\n");
    folder.write("Fname.txt", "");
    folder.write("memo.txt", "x");
    folder.write(".ネコ.jpg", "x"); // hidden
    std::filesystem::create_directory(folder / "ねこ.jpg"); // a folder, not a picture
    for (const char* good : { "いぬ.jpg", "ぞう.GIF", "きりん.bmp", "はし.1.jpg", "ちょっと.jpg",
             "ぶどう.jpg", "らーめん.jpg" })
        folder.write(good, "x");
    // ぶどう written as ふ + combining voiced mark: the same card as ぶどう.jpg.
    folder.write("\xE3\x81\xB5\xE3\x82\x99\xE3\x81\xA9\xE3\x81\x86.jpg", "x");
    folder.write("O.txt", "\x82\xE6\r\n\x82\xFF\r\n");

    const std::vector<Expected> expected {
        { u"とけい.png", Kind::OtherPictureType, Fix::MakeJpegCopy, u"とけい.jpg", u".png" },
        { u"cat.png", Kind::OtherPictureType, Fix::MakeJpegCopy, u"", u".png" },
        { u"ぶた.jpeg", Kind::OtherPictureType, Fix::MakeJpegCopy, u"ぶた.jpg", u".jpeg" },
        { u"しか.WebP", Kind::OtherPictureType, Fix::MakeJpegCopy, u"しか.jpg", u".WebP" },
        { u"ネコ.tiff", Kind::OtherPictureType, Fix::MakeJpegCopy, u"ねこ.jpg", u".tiff" },
        { u"いるか.heic", Kind::OtherPictureType, Fix::None, u"", u".heic" },
        { u"はと¥.jpg", Kind::NameNotStorable, Fix::Rename, u"", u"絵文字" },
        { u"ネコ.jpg", Kind::CannotBeTyped, Fix::Rename, u"ねこ.jpg", u"カタカナ" },
        { u"ｷﾘﾝ.jpg", Kind::CannotBeTyped, Fix::Rename, u"きりん.jpg", u"カタカナ" },
        { u"犬.jpg", Kind::CannotBeTyped, Fix::Rename, u"", u"漢字" },
        { u"しろ くま.jpg", Kind::CannotBeTyped, Fix::Rename, u"しろくま.jpg", u"空白" },
        { u"cat2.bmp", Kind::CannotBeTyped, Fix::Rename, u"", u"ローマ字・数字" },
        { u"ぁひる.jpg", Kind::CannotBeTyped, Fix::Rename, u"",
            u"トーキングエイドのキーボードでは" },
        { u"ゐど.gif", Kind::CannotBeTyped, Fix::Rename, u"", u"「ゐ」" },
        { u"ヴぁ.jpg", Kind::CannotBeTyped, Fix::Rename, u"", u"「ヴ」「ぁ」" },
        { u"ちょうちょうとかぶとむし.jpg", Kind::TooLong, Fix::Rename, u"",
            u"「ちょうちょうとかぶと」" },
        // Only the first ten are asked: the Latin letters after them are no obstacle.
        { u"あいうえおかきくけこABC.jpg", Kind::TooLong, Fix::Rename, u"", u"13文字" },
        { u"ふ\u3099どう.jpg", Kind::SameCard, Fix::Rename, u"", u"ぶどう.jpg" },
        { u"O.txt", Kind::PraiseLineLeftOut, Fix::None, u"", u"2行目" },
    };
    for (const Expected& e : expected) {
        if (e.kind != Kind::PraiseLineLeftOut && e.kind != Kind::SameCard)
            folder.write(utf8(e.file), "x");
    }

    const std::vector<FolderFinding> findings = FolderCheck(folder.path(), folder / "O.txt").Run();
    std::vector<std::tuple<std::u16string, int>> found;
    for (const FolderFinding& finding : findings)
        found.push_back(key(finding.fileName, finding.kind));
    std::vector<std::tuple<std::u16string, int>> wanted;
    for (const Expected& e : expected)
        wanted.push_back(key(e.file, e.kind));
    std::sort(found.begin(), found.end());
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(found, wanted);

    for (const Expected& e : expected) {
        SCOPED_TRACE(utf8(e.file));
        const auto finding = std::find_if(findings.begin(), findings.end(),
            [&e](const FolderFinding& f) { return f.fileName == e.file && f.kind == e.kind; });
        ASSERT_NE(finding, findings.end());
        EXPECT_EQ(finding->fix, e.fix);
        EXPECT_EQ(utf8(finding->suggestedName), utf8(e.suggestedName));
        EXPECT_NE(finding->reason.find(e.reasonHas), std::u16string::npos) << utf8(finding->reason);
        EXPECT_FALSE(finding->advice.empty());
        EXPECT_TRUE(std::filesystem::exists(finding->file));
    }
    // The praise file is read as the drill reads it, and never written.
    EXPECT_EQ(folder.read("O.txt"), "\x82\xE6\r\n\x82\xFF\r\n");
}

TEST(FolderCheckTest, NamesTheKeyboardAndThePicturesPastTheHundredAndFirst)
{
    TempFolder folder; // no tapomi.txt: either keyboard may be used
    const std::u16string kana
        = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"
          u"やゆよらりるれろわをんがぎぐげござじずぜぞ";
    for (std::size_t i = 0; i < 101; ++i)
        folder.write(
            utf8(std::u16string { u'あ', kana[i % kana.size()], kana[i / kana.size()] }) + ".jpg",
            "x");
    folder.write(utf8(u"んあ.jpg"), "x");
    folder.write(utf8(u"んい.jpg"), "x");
    folder.write(utf8(u"ネあ.jpg"), "x"); // ネ sorts with ね, before ん

    const std::vector<FolderFinding> findings = FolderCheck(folder.path()).Run();
    std::vector<std::u16string> leftOut;
    for (const FolderFinding& finding : findings) {
        if (finding.kind == Kind::TooMany)
            leftOut.push_back(finding.fileName);
    }
    EXPECT_EQ(leftOut, (std::vector<std::u16string> { u"ネあ.jpg", u"んあ.jpg", u"んい.jpg" }));
    // A picture that is left out is not also checked as a card.
    EXPECT_EQ(findings.size(), 3U);

    TempFolder other;
    other.write(utf8(u"ネコ.jpg"), "x");
    const std::vector<FolderFinding> again = FolderCheck(other.path()).Run();
    const auto katakana = std::find_if(again.begin(), again.end(),
        [](const FolderFinding& f) { return f.kind == Kind::CannotBeTyped; });
    ASSERT_NE(katakana, again.end());
    EXPECT_NE(katakana->reason.find(u"どちらのキーボードでも"), std::u16string::npos);
}

int runCommand(const std::vector<std::string>& arguments, const std::filesystem::path& praise,
    std::string& out)
{
    std::vector<std::string> words { "tapomi-launcher", "--check" };
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::ostringstream output;
    std::ostringstream errors;
    const int argc = static_cast<int>(words.size());
    EXPECT_TRUE(FolderCheckCommand::IsWanted(argc, argv.data()));
    const int status = FolderCheckCommand::Run(argc, argv.data(), praise, output, errors);
    EXPECT_FALSE(errors.str().empty());
    out = output.str();
    return status;
}

TEST(FolderCheckTest, TheCommandPrintsOneLinePerFindingAndTellsByItsStatus)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "my cards");
    const std::filesystem::path cards = folder / "my cards";
    std::ofstream(cards / u8"いぬ.jpg") << "x";
    std::string out;
    EXPECT_EQ(runCommand({ PathText::utf8(folder.path() / "my"), "cards" }, {}, out), 0);
    EXPECT_EQ(out, "");

    std::ofstream(cards / u8"ネコ.jpg") << "x";
    std::ofstream(cards / "cat.png") << "x";
    EXPECT_EQ(runCommand({ PathText::utf8(cards) }, {}, out), 1);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2);
    EXPECT_NE(out.find(utf8(u"ネコ.jpg: ")), std::string::npos);
    EXPECT_NE(out.find(utf8(u"名前を「ねこ.jpg」に変えてください")), std::string::npos);
    EXPECT_NE(out.find("cat.png: "), std::string::npos);

    // A praise line the drill leaves out needs the teacher as well.
    std::ofstream(cards / "O.txt") << "\x82\xFF\n";
    std::filesystem::remove(cards / u8"ネコ.jpg");
    std::filesystem::remove(cards / "cat.png");
    EXPECT_EQ(runCommand({ PathText::utf8(cards) }, cards / "O.txt", out), 1);
    EXPECT_NE(out.find(utf8(u"O.txt: 1行目")), std::string::npos);

    EXPECT_EQ(runCommand({ PathText::utf8(folder.path() / "missing") }, {}, out), 2);
    EXPECT_EQ(runCommand({}, {}, out), 2);
    EXPECT_EQ(out, "");
}

} // namespace
