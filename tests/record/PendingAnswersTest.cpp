#include "record/PendingAnswers.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <thread>

namespace {

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

RecordEntry answered(std::int64_t whenMs, std::u16string word, std::u16string typed)
{
    RecordEntry entry;
    entry.childId = 3;
    entry.childName = u"はなこ";
    entry.runStartedMs = 1'796'778'000'000;
    entry.folder = u8"/home/sensei/えカード";
    Attempt answer;
    answer.whenMs = whenMs;
    answer.folder = entry.folder;
    answer.word = std::move(word);
    answer.typed = std::move(typed);
    answer.right = answer.word == answer.typed;
    answer.firstTry = false;
    answer.secondsToEnter = 4.25;
    answer.kanaKeys = 3;
    answer.backspaces = 1;
    answer.markKeys = 2;
    answer.keyGuardTenths = 5;
    answer.talkingAidKeyboard = false;
    answer.discardedKeys = 4;
    entry.answer = std::move(answer);
    entry.answerNumber = whenMs % 100'000 + 1;
    return entry;
}

} // namespace

// The pending file as a person and the program read it: one line each, tab-separated, the
// time, child, word and typed text first; every field comes back as it went in, whatever it
// holds; a comment, a line cut short or a line of an unknown kind is passed over.
TEST(PendingAnswersTest, EachEntryIsOneReadableLineThatComesBackWhole)
{
    RecordEntry run;
    run.childId = 3;
    run.childName = u"た\tろう\\";
    run.runStartedMs = 1'796'778'000'000;
    run.runEndedMs = 1'796'778'600'000;
    run.folder = std::string("/home/sensei/tab\there/new\nline/\xff\xfe");

    const RecordEntry entries[] = { run, answered(1'796'778'001'000, u"りんご", u"りんこ"),
        answered(1'796'778'002'000, u"ねこ", u"ね\r\nこ") };
    for (const RecordEntry& entry : entries) {
        const std::string line = PendingAnswers::Line(entry);
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        const std::optional<RecordEntry> back = PendingAnswers::Parse(line);
        ASSERT_TRUE(back) << line;
        EXPECT_EQ(back->childId, entry.childId);
        EXPECT_EQ(back->childName, entry.childName);
        EXPECT_EQ(back->runStartedMs, entry.runStartedMs);
        EXPECT_EQ(back->runEndedMs, entry.runEndedMs);
        EXPECT_EQ(back->answerNumber, entry.answerNumber);
        EXPECT_EQ(back->folder, entry.folder);
        ASSERT_EQ(back->answer.has_value(), entry.answer.has_value());
        if (!entry.answer)
            continue;
        EXPECT_EQ(back->answer->whenMs, entry.answer->whenMs);
        EXPECT_EQ(back->answer->word, entry.answer->word);
        EXPECT_EQ(back->answer->typed, entry.answer->typed);
        EXPECT_EQ(back->answer->right, entry.answer->right);
        EXPECT_EQ(back->answer->firstTry, entry.answer->firstTry);
        EXPECT_DOUBLE_EQ(back->answer->secondsToEnter, entry.answer->secondsToEnter);
        EXPECT_EQ(back->answer->kanaKeys, entry.answer->kanaKeys);
        EXPECT_EQ(back->answer->backspaces, entry.answer->backspaces);
        EXPECT_EQ(back->answer->markKeys, entry.answer->markKeys);
        EXPECT_EQ(back->answer->keyGuardTenths, entry.answer->keyGuardTenths);
        EXPECT_EQ(back->answer->talkingAidKeyboard, entry.answer->talkingAidKeyboard);
        EXPECT_EQ(back->answer->discardedKeys, entry.answer->discardedKeys);
        EXPECT_EQ(back->answer->folder, entry.answer->folder);
    }
    // What a person sees first: the kind, the local time, the child, the word and the answer.
    const std::string line = PendingAnswers::Line(entries[1]);
    EXPECT_EQ(line.substr(0, 7), "answer\t");
    EXPECT_NE(line.find("\t\xE3\x81\xAF\xE3\x81\xAA\xE3\x81\x93\t" // はなこ
                        "\xE3\x82\x8A\xE3\x82\x93\xE3\x81\x94\t" // りんご
                        "\xE3\x82\x8A\xE3\x82\x93\xE3\x81\x93\t" // りんこ
                        "\xC3\x97\t"), // ×
        std::string::npos)
        << line;

    const std::string whole = PendingAnswers::Line(entries[1]);
    for (const std::string& notOne : { std::string("# タポミ"), whole.substr(0, whole.size() / 2),
             "later\t" + whole.substr(7), std::string() })
        EXPECT_FALSE(PendingAnswers::Parse(notOne)) << notOne;
}

// Two drills end at once while a third program takes the waiting answers in: every line is
// taken in exactly once, none is lost between a taking-in and an append, and a line cut short
// by a machine that went off spoils only itself.
TEST(PendingAnswersTest, AppendsAndTakingInNeverLoseOrRepeatALine)
{
    const TempFolder folder;
    const std::filesystem::path database = folder / "records.sqlite";
    const PendingAnswers pending(database);
    EXPECT_EQ(pending.file(), folder / "records-pending.txt");
    EXPECT_FALSE(pending.waiting());

    constexpr int kPerDrill = 200;
    std::multiset<std::int64_t> taken;
    const auto takeSome = [&] {
        pending.takeIn([&](const std::vector<RecordEntry>& entries) {
            for (const RecordEntry& entry : entries)
                taken.insert(entry.answer->whenMs);
        });
    };
    std::thread first([&] {
        for (int i = 0; i < kPerDrill; ++i)
            EXPECT_TRUE(pending.append({ answered(i, u"いぬ", u"いぬ") }));
    });
    std::thread second([&] {
        for (int i = 0; i < kPerDrill; ++i)
            EXPECT_TRUE(pending.append({ answered(100'000 + i, u"ねこ", u"ねこ") }));
    });
    for (int round = 0; round < 50; ++round)
        takeSome();
    first.join();
    second.join();
    takeSome();
    EXPECT_EQ(taken.size(), 2u * kPerDrill);
    for (int i = 0; i < kPerDrill; ++i) {
        EXPECT_EQ(taken.count(i), 1u);
        EXPECT_EQ(taken.count(100'000 + i), 1u);
    }
    EXPECT_FALSE(pending.waiting());

    // A taking-in that fails leaves everything where it was.
    ASSERT_TRUE(pending.append({ answered(7, u"いぬ", u"いぬ") }));
    const std::string before = readBytes(pending.file());
    EXPECT_THROW(
        pending.takeIn([](const std::vector<RecordEntry>&) { throw std::runtime_error("no"); }),
        std::runtime_error);
    EXPECT_EQ(readBytes(pending.file()), before);

    // An unfinished last line is ended before the next append.
    std::ofstream(pending.file(), std::ios::binary | std::ios::app) << "answer\t2026-12-";
    ASSERT_TRUE(pending.append({ answered(8, u"いぬ", u"いぬ") }));
    std::vector<std::int64_t> after;
    pending.takeIn([&](const std::vector<RecordEntry>& entries) {
        for (const RecordEntry& entry : entries)
            after.push_back(entry.answer->whenMs);
    });
    EXPECT_EQ(after, (std::vector<std::int64_t> { 7, 8 }));
}
