#include "teacher/Launcher.h"
#include "common/ProgramFiles.h"
#include "data/PraiseFile.h"
#include "data/ShiftJisCodec.h"
#include "teacher/FolderMemory.h"
#include "teacher/LauncherView.h"

#include "TempFolder.h"
#include "data/RecordingWarningBox.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// The teacher's answers to the folder dialog, given in advance; the sounds are "made" at once.
class FakeLauncherView final : public LauncherView
{
public:
    std::optional<fs::path> askForFolder(const fs::path& folder) override
    {
        offered.push_back(folder);
        if (answers.empty())
            return std::nullopt;
        std::optional<fs::path> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    SoundsOutcome makeSounds(const fs::path& folder) override
    {
        soundFolders.push_back(folder);
        return soundsOutcome;
    }

    std::deque<std::optional<fs::path>> answers;
    std::vector<fs::path> offered;
    std::vector<fs::path> soundFolders;
    SoundsOutcome soundsOutcome = SoundsOutcome::Made;
};

class FakeFolderMemory final : public FolderMemory
{
public:
    fs::path lastFolder() const override { return folder; }
    void remember(const fs::path& chosen) override { folder = chosen; }

    fs::path folder;
};

std::string read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

void write(const fs::path& path, std::string_view bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// What is installed with the program, and the teacher's working directory.
class LauncherTest : public ::testing::Test
{
protected:
    LauncherTest()
    {
        write(m_data / "O.txt", "installed praise\r\n");
        write(m_data / "samples" / u8"りんご.jpg", "installed apple");
        write(m_data / "samples" / "LICENSE.txt", "CC0");
    }

    // The launcher's two steps as the program takes them: nothing when either is cancelled.
    std::optional<fs::path> run()
    {
        Launcher launcher(view, messages, memory, m_data, work);
        if (!launcher.prepareWorkingDirectory())
            return std::nullopt;
        EXPECT_EQ(launcher.workingDirectory(), work);
        return launcher.chooseFolder();
    }

    TempFolder m_temp;
    fs::path m_data = m_temp / "share";
    fs::path work = m_temp / "home" / ".local" / "share" / "tapomi";
    fs::path samples = work / Launcher::kSamplesFolder;
    FakeLauncherView view;
    RecordingWarningBox messages;
    FakeFolderMemory memory;
};

TEST_F(LauncherTest, FirstRunPreparesTheWorkingDirectoryOnceAndKeepsTheTeachersFiles)
{
    // A teacher's own phrases and picture are already there.
    write(work / "O.txt", "sensei");
    write(samples / u8"りんご.jpg", "sensei's apple");

    EXPECT_FALSE(run()) << "cancelled at the folder dialog";
    EXPECT_EQ(view.soundFolders, std::vector<fs::path> { work });
    EXPECT_EQ(read(work / "O.txt"), "sensei");
    EXPECT_EQ(read(samples / u8"りんご.jpg"), "sensei's apple");
    EXPECT_EQ(read(samples / "LICENSE.txt"), "CC0");
    EXPECT_TRUE(fs::exists(work / Launcher::kPreparedMarker));
    ASSERT_EQ(view.offered.size(), 1u);
    EXPECT_EQ(view.offered[0], samples) << "the sample cards are offered on the first run";
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_FALSE(run());
    EXPECT_EQ(view.soundFolders.size(), 1u) << "prepared once only";

    // A fresh working directory gets the installed phrases.
    fs::remove_all(work);
    EXPECT_FALSE(run());
    EXPECT_EQ(read(work / "O.txt"), "installed praise\r\n");
    EXPECT_EQ(read(samples / u8"りんご.jpg"), "installed apple");
    EXPECT_EQ(view.soundFolders.size(), 2u);
}

TEST_F(LauncherTest, CancelledOrFailedSoundsAreMadeAgainAtTheNextStart)
{
    view.soundsOutcome = LauncherView::SoundsOutcome::Cancelled;
    EXPECT_FALSE(run());
    EXPECT_TRUE(view.offered.empty()) << "cancelling ends the launcher";
    EXPECT_FALSE(fs::exists(work / Launcher::kPreparedMarker));

    view.soundsOutcome = LauncherView::SoundsOutcome::Failed;
    EXPECT_FALSE(run());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].first.find(u"音"), std::u16string::npos);
    EXPECT_EQ(view.offered.size(), 1u) << "the folder is still asked for";
    EXPECT_FALSE(fs::exists(work / Launcher::kPreparedMarker));

    view.soundsOutcome = LauncherView::SoundsOutcome::Made;
    EXPECT_FALSE(run());
    EXPECT_EQ(view.soundFolders.size(), 3u);
    EXPECT_TRUE(fs::exists(work / Launcher::kPreparedMarker));

    // Installed files missing: the teacher is told, the sounds are still made, and the next start
    // tries again.
    fs::remove_all(work);
    fs::remove_all(m_data / "samples");
    messages.shown.clear();
    EXPECT_FALSE(run());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].first.find(u"準備ができませんでした"), std::u16string::npos);
    EXPECT_EQ(view.soundFolders.size(), 4u);
    EXPECT_FALSE(fs::exists(work / Launcher::kPreparedMarker));

    // A working directory that cannot be made: a file stands where it would be.
    fs::remove_all(work);
    write(work, "not a folder");
    messages.shown.clear();
    EXPECT_FALSE(run());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(view.soundFolders.size(), 4u);
}

TEST_F(LauncherTest, AsksUntilAFolderTheDrillCanUseIsChosenAndRemembersIt)
{
    const fs::path cards = m_temp / "えカード 2組";
    write(cards / u8"いぬ.gif", "dog");
    const fs::path empty = m_temp / "empty";
    fs::create_directories(empty);
    write(empty / "notes.txt", "no pictures");
    const fs::path file = cards / u8"いぬ.gif";
    view.answers = { m_temp / "gone", file, empty, cards };

    EXPECT_EQ(run(), cards);
    EXPECT_EQ(memory.folder, cards);
    EXPECT_EQ(view.offered, (std::vector<fs::path> { samples, m_temp / "gone", file, empty }))
        << "each refused folder is offered again to start from";
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_NE(messages.shown[0].first.find(u"見つかりません"), std::u16string::npos);
    EXPECT_NE(messages.shown[1].first.find(u"読めません"), std::u16string::npos);
    EXPECT_NE(
        messages.shown[2].first.find(u"絵（.jpg .gif .bmp）がありません"), std::u16string::npos);
    EXPECT_NE(messages.shown[2].first.find(u"empty"), std::u16string::npos) << "names the folder";
    EXPECT_EQ(messages.shown[2].second, u"タポミ");

    // The next start offers the remembered folder; once it is gone, the sample cards again.
    view.offered.clear();
    EXPECT_FALSE(run());
    EXPECT_EQ(view.offered, std::vector<fs::path> { cards });
    fs::remove_all(cards);
    view.offered.clear();
    EXPECT_FALSE(run());
    EXPECT_EQ(view.offered, std::vector<fs::path> { samples });
}

TEST(LauncherFilesTest, DataIsFoundBesideTheProgramAndThePraisePhrasesAreReadable)
{
    EXPECT_EQ(ProgramFiles::dataFolder("/opt/kana/bin/tapomi-launcher"),
        fs::path("/opt/kana/share/tapomi"));
    EXPECT_EQ(ProgramFiles::companion("tapomi", "/opt/kana/bin/tapomi-launcher"),
        fs::path("/opt/kana/bin/tapomi"));
    EXPECT_EQ(ProgramFiles::executable().stem(), "tapomi_launcher_tests");
    EXPECT_EQ(ProgramFiles::dataFolder(),
        ProgramFiles::executable().parent_path().parent_path() / "share" / "tapomi");

    // The praise phrases seeded into a teacher's working directory: Shift-JIS lines ended by
    // CR LF, as the drill writes its files, each one phrase.
    const std::u16string phrases[]
        = { u"よくできました", u"すごいね", u"やったね", u"じょうずだね", u"せいかい" };
    std::string expected;
    for (const std::u16string& phrase : phrases)
        expected += *ShiftJisCodec::encode(phrase) + "\r\n";
    const fs::path shipped = fs::path(TAPOMI_ASSETS_DIR) / "O.txt";
    EXPECT_EQ(read(shipped), expected);
    PraisePhraseList list;
    PraiseFile(shipped).Load(list);
    ASSERT_EQ(list.PraiseCount, 5);
    EXPECT_EQ(list.PraisePhrases[4], u"せいかい");
}

} // namespace
