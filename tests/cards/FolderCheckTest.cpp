#include "cards/FolderCheck.h"

#include "cards/CardName.h"
#include "cards/FolderActions.h"
#include "cards/FolderCheckCommand.h"
#include "common/Utf8Text.h"
#include "data/PathText.h"

#include "FakeConverter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
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

std::u16string folded(std::u16string text)
{
    for (char16_t& unit : text) {
        if (unit >= u'A' && unit <= u'Z')
            unit = static_cast<char16_t>(unit - u'A' + u'a');
    }
    return text;
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
             "ぶどう.jpg", "らーめん.jpg", "たこ.JPG" })
        folder.write(good, "x");
    // ぶどう written as ふ + combining voiced mark: the same card as ぶどう.jpg.
    folder.write("\xE3\x81\xB5\xE3\x82\x99\xE3\x81\xA9\xE3\x81\x86.jpg", "x");
    // ぶり written so: a card, listed as ぶり.jpg.
    folder.write("\xE3\x81\xB5\xE3\x82\x99\xE3\x82\x8A.jpg", "x");
    // Pictures of another type whose .jpg twin (by their name, or the name their copy is offered
    // under, in any case) is a card already: the twin is their card, nothing needs the teacher.
    for (const char* twin : { "ぞう.png", "いぬ.HEIC", "はし.1.webp", "キリン.tif", "ネコ.tiff" })
        folder.write(twin, "x");
    folder.write("O.txt", "\x82\xE6\r\n\x82\xFF\r\n");

    const std::vector<Expected> expected {
        { u"とけい.png", Kind::OtherPictureType, Fix::MakeJpegCopy, u"とけい.jpg", u".png" },
        { u"cat.png", Kind::OtherPictureType, Fix::MakeJpegCopy, u"", u".png" },
        { u"ぶた.jpeg", Kind::OtherPictureType, Fix::MakeJpegCopy, u"ぶた.jpg", u".jpeg" },
        { u"しか.WebP", Kind::OtherPictureType, Fix::MakeJpegCopy, u"しか.jpg", u".WebP" },
        { u"ウシ.tiff", Kind::OtherPictureType, Fix::MakeJpegCopy, u"うし.jpg", u".tiff" },
        { u"とけい.1.png", Kind::OtherPictureType, Fix::MakeJpegCopy, u"とけい.1.jpg", u".png" },
        // Two pictures offered one copy name: the second in the listing gets a number.
        { u"サル.png", Kind::OtherPictureType, Fix::MakeJpegCopy, u"さる.jpg", u".png" },
        { u"サル.webp", Kind::OtherPictureType, Fix::MakeJpegCopy, u"さる.1.jpg", u".webp" },
        { u"いるか.heic", Kind::OtherPictureType, Fix::None, u"", u".heic" },
        { u"はと¥.jpg", Kind::NameNotStorable, Fix::Rename, u"", u"絵文字" },
        // Suggestions never name what is there: the folder ねこ.jpg, たこ.JPG in another case, a
        // card written as ふ and a mark.
        { u"ネコ.jpg", Kind::CannotBeTyped, Fix::Rename, u"ねこ.1.jpg", u"カタカナ" },
        { u"タコ.jpg", Kind::CannotBeTyped, Fix::Rename, u"たこ.1.jpg", u"カタカナ" },
        { u"ブリ.jpg", Kind::CannotBeTyped, Fix::Rename, u"ぶり.1.jpg", u"カタカナ" },
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
        if (!e.suggestedName.empty()) {
            EXPECT_NE(finding->advice.find(u"「" + e.suggestedName + u"」"), std::u16string::npos);
        }
    }
    // No suggestion names anything in the folder, in any letter case, or another suggestion.
    std::set<std::u16string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::u8string name = entry.path().filename().u8string();
        names.insert(folded(Utf8Text::decodeReplacing(std::string(name.begin(), name.end()))));
    }
    for (const FolderFinding& finding : findings) {
        if (!finding.suggestedName.empty()) {
            EXPECT_TRUE(names.insert(folded(finding.suggestedName)).second)
                << utf8(finding.suggestedName);
        }
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

// The check, one action done as the teacher's window offers it, the check again, until the
// check finds nothing: the folder ends clean after the check's own actions, and --check says so.
TEST(FolderCheckTest, TheCheckEndsCleanAfterItsOwnActions)
{
    struct Case
    {
        const char* what;
        std::vector<std::u16string> files;
        std::vector<std::u16string> folders;
        // The words the teacher types where nothing is suggested, by picture.
        std::map<std::u16string, std::u16string> typed;
        int actions;
        std::vector<std::u16string> namesAfter;
    };
    const Case cases[] = {
        { "a PNG copied under its own name", { u"とけい.png" }, {}, {}, 1,
            { u"とけい.jpg", u"もとの絵", u"もとの絵/とけい.png" } },
        { "a TIFF with a katakana name, copied under the hiragana", { u"ネコ.tiff" }, {}, {}, 1,
            { u"ねこ.jpg", u"もとの絵", u"もとの絵/ネコ.tiff" } },
        { "a copy under a name the teacher types", { u"cat.png" }, {}, { { u"cat.png", u"ねこ" } },
            1, { u"ねこ.jpg", u"もとの絵", u"もとの絵/cat.png" } },
        { "every picture of another type, one after the other",
            { u"いぬ.jpeg", u"しか.WebP", u"ぶた.jfif", u"とけい.1.png", u"いるか.jpg" }, {}, {}, 4,
            { u"いぬ.jpg", u"いるか.jpg", u"しか.jpg", u"とけい.1.jpg", u"ぶた.jpg", u"もとの絵",
                u"もとの絵/いぬ.jpeg", u"もとの絵/しか.WebP", u"もとの絵/とけい.1.png",
                u"もとの絵/ぶた.jfif" } },
        { "a picture whose name the kept folder holds already",
            { u"とけい.png", u"もとの絵/とけい.png" }, { u"もとの絵" }, {}, 1,
            { u"とけい.jpg", u"もとの絵", u"もとの絵/とけい (2).png", u"もとの絵/とけい.png" } },
        { "two pictures of one word: the copy of the first is the twin of the second",
            { u"サル.png", u"サル.webp" }, {}, {}, 1,
            { u"さる.jpg", u"サル.webp", u"もとの絵", u"もとの絵/サル.png" } },
        { "renames whose hiragana is taken in another case, by a folder and as one card",
            { u"ネコ.jpg", u"ねこ.JPG", u"タコ.jpg", u"ブリ.jpg", u"ふ\u3099り.jpg" },
            { u"たこ.jpg" }, {}, 3,
            { u"たこ.1.jpg", u"たこ.jpg", u"ねこ.1.jpg", u"ねこ.JPG", u"ふ\u3099り.jpg",
                u"ぶり.1.jpg" } },
        { "a PNG whose hiragana card is there, and a rename keeping its number",
            { u"ヤギ.png", u"ヤギ.1.jpg", u"やぎ.gif" }, {}, {}, 1,
            { u"やぎ.1.jpg", u"やぎ.gif", u"ヤギ.png" } },
        { "pictures copied before by another program", { u"とけい.png", u"とけい.jpg" }, {}, {}, 0,
            { u"とけい.jpg", u"とけい.png" } },
        { "a katakana picture copied before under its hiragana", { u"ネコ.tiff", u"ねこ.JPG" }, {},
            {}, 0, { u"ねこ.JPG", u"ネコ.tiff" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        for (const std::u16string& name : c.folders)
            std::filesystem::create_directory(folder / utf8(name));
        for (const std::u16string& name : c.files)
            folder.write(utf8(name), utf8(name));
        FakeConverter converter;
        int actions = 0;
        for (std::vector<FolderFinding> findings = FolderCheck(folder.path()).Run();
             !findings.empty() && actions < 10; findings = FolderCheck(folder.path()).Run()) {
            // The first row with an action (a folder of PNGs alone has no card yet, which is
            // a finding of its own that the copies mend).
            const auto withFix = std::find_if(findings.begin(), findings.end(),
                [](const FolderFinding& f) { return f.fix != Fix::None; });
            ASSERT_NE(withFix, findings.end()) << utf8(FolderCheckCommand::Line(findings.front()));
            const FolderFinding& finding = *withFix;
            std::u16string word = CardName::Word(finding.suggestedName);
            std::u16string rest = finding.suggestedName.substr(word.size());
            if (finding.suggestedName.empty()) {
                ASSERT_TRUE(c.typed.contains(finding.fileName)) << utf8(finding.fileName);
                word = c.typed.at(finding.fileName);
                rest = FolderActions::OwnRest(finding.file, finding.fix == Fix::MakeJpegCopy);
            }
            const FolderActions act(folder.path(), { KanaKeyboard(true) });
            const FolderActions::Result result = finding.fix == Fix::MakeJpegCopy
                ? act.MakeJpegCopy(finding.file, word, converter, rest)
                : act.Rename(finding.file, word, rest);
            ASSERT_EQ(result.outcome, FolderActions::Outcome::Done) << utf8(result.message);
            // Said: the picture, and the name it was given or its copy got.
            EXPECT_NE(result.message.find(u"「" + finding.fileName + u"」"), std::u16string::npos);
            EXPECT_NE(result.message.find(u"「" + word + rest + u"」"), std::u16string::npos)
                << utf8(result.message);
            ++actions;
        }
        EXPECT_EQ(actions, c.actions);
        std::string out;
        EXPECT_EQ(runCommand({ PathText::utf8(folder.path()) }, {}, out), 0) << out;
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
            const std::u8string name
                = entry.path().lexically_relative(folder.path()).generic_u8string();
            names.emplace_back(name.begin(), name.end());
        }
        std::sort(names.begin(), names.end());
        std::vector<std::string> namesAfter;
        for (const std::u16string& name : c.namesAfter)
            namesAfter.push_back(utf8(name));
        std::sort(namesAfter.begin(), namesAfter.end());
        EXPECT_EQ(names, namesAfter);
    }
}

} // namespace
