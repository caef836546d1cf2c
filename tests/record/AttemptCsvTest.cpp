#include "record/AttemptCsv.h"

#include "record/RecordError.h"

#include <gtest/gtest.h>

#include <sstream>

// Byte for byte: the byte-order mark, the Japanese header, local time, quoting and CR LF.
TEST(AttemptCsvTest, WritesWhatASpreadsheetInJapanReads)
{
    Attempt wrong;
    wrong.whenMs = 1796797807000; // 2026-12-09 15:30:07 in Japan
    wrong.folder = u8"/home/sensei/え,カード";
    wrong.word = u"いぬ";
    wrong.typed = u"いね";
    wrong.right = false;
    wrong.firstTry = true;
    wrong.secondsToEnter = 3.0;
    wrong.kanaKeys = 2;
    wrong.backspaces = 1;
    wrong.keyGuardTenths = 5;
    wrong.talkingAidKeyboard = true;
    Attempt right = wrong;
    right.whenMs += 60'000;
    right.folder = u8"/cards/\"ねこ\"";
    right.typed = u"いぬ";
    right.right = true;
    right.firstTry = false;
    right.secondsToEnter = 12.5;
    right.markKeys = 3;
    right.keyGuardTenths = 10;
    right.talkingAidKeyboard = false;

    std::ostringstream out;
    AttemptCsv::Write(out, { wrong, right }, 9 * 3600);
    EXPECT_EQ(out.str(),
        "\xEF\xBB\xBF"
        "日時,フォルダー,ことば,入力,正誤,1回目,Enterまでの秒数,かなキー,BackSpace,"
        "濁点・半濁点キー,キーガード(秒),キーボード\r\n"
        "2026-12-09 15:30:07,\"/home/sensei/え,カード\",いぬ,いね,×,はい,3.0,2,1,0,0.5,"
        "トーキングエイド\r\n"
        "2026-12-09 "
        "15:31:07,\"/cards/\"\"ねこ\"\"\",いぬ,いぬ,○,いいえ,12.5,2,1,3,1.0,JISかな\r\n");

    // A file that cannot be written is a RecordError with a sentence for the teacher.
    try {
        AttemptCsv::Save("/nonexistent-folder/records.csv", { wrong }, 0);
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const RecordError& error) {
        EXPECT_NE(error.teacherText().find(u"CSV"), std::u16string::npos);
    }
}
