#include "record/AttemptCsv.h"

#include "common/Utf8Text.h"

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
}

// A cell that a spreadsheet would run as a formula starts with an apostrophe, which spreadsheet
// programs read as "this is text"; every other cell is kept byte for byte. The same text is put
// in the folder, the word and the typed answer.
TEST(AttemptCsvTest, KeepsCellsFromBeingReadAsFormulas)
{
    struct Cell
    {
        std::string text; // UTF-8
        std::string written;
    };
    const Cell cells[] = {
        { "=HYPERLINK(1)", "'=HYPERLINK(1)" },
        { "+81", "'+81" },
        { "-2組", "'-2組" },
        { "@SUM(A1)", "'@SUM(A1)" },
        { "\tいぬ", "'\tいぬ" },
        { "\rいぬ", "\"'\rいぬ\"" },
        { "=1,2", "\"'=1,2\"" },
        { "=\"x\"", "\"'=\"\"x\"\"\"" },
        // Kept as they are.
        { "いぬ", "いぬ" },
        { "a=b", "a=b" },
        { " =1", " =1" },
        { "'=1", "'=1" },
        { "＝１", "＝１" },
        { "ーる", "ーる" },
        { "/home/sensei/-2組", "/home/sensei/-2組" },
        { "", "" },
    };
    for (const Cell& cell : cells) {
        SCOPED_TRACE(cell.text);
        Attempt attempt;
        attempt.whenMs = 1796797807000; // 2026-12-09 15:30:07 in Japan
        attempt.folder = std::u8string(cell.text.begin(), cell.text.end());
        attempt.word = Utf8Text::decodeReplacing(cell.text);
        attempt.typed = attempt.word;
        std::ostringstream out;
        AttemptCsv::Write(out, { attempt }, 9 * 3600);
        const std::string csv = out.str();
        const std::string row = csv.substr(csv.find("\r\n") + 2);
        EXPECT_EQ(row,
            "2026-12-09 15:30:07," + cell.written + "," + cell.written + "," + cell.written
                + ",×,はい,0.0,0,0,0,0.0,トーキングエイド\r\n");
    }
}
