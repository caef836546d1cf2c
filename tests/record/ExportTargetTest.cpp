#include "record/ExportTarget.h"

#include "data/PathText.h"
#include "record/RecordError.h"

#include "SmallDisk.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <optional>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBytes = "\xEF\xBB\xBF日時,ことば\r\n";
constexpr const char16_t* kRecordFile = u"記録のファイル";

fs::path utf8Path(std::string_view name)
{
    return std::u8string(name.begin(), name.end());
}

// Every name under the folder, links too, with the bytes of each plain file.
std::map<std::string, std::optional<std::string>> contents(const TempFolder& folder)
{
    std::map<std::string, std::optional<std::string>> found;
    std::error_code error;
    for (fs::recursive_directory_iterator entries(folder.path(), error), end;
         !error && entries != end; entries.increment(error)) {
        const std::string name = PathText::utf8(entries->path().lexically_relative(folder.path()));
        if (entries->is_regular_file() && !entries->is_symlink())
            found[name] = folder.read(name);
        else
            found[name] = std::nullopt;
    }
    return found;
}

struct TargetCase
{
    const char* what;
    // Makes what the case needs and names the target; an empty path when this system can't.
    std::function<fs::path(const TempFolder&, const SmallDisk*)> prepare;
    const char16_t* refusal; // words of the teacher's sentence; null when the file is written
    bool smallDisk = false; // a small file system mounted over "out"
};

// The record's files in "data", each with bytes of its own, beside the teacher's folder "out":
// an export is written only where it may go, nothing else changes, and no temporary file stays.
TEST(ExportTargetTest, WritesAnExportOnlyWhereItCannotHarmTheRecord)
{
    const auto at = [](const char* name) {
        return [name](const TempFolder& folder, const SmallDisk*) { return folder / name; };
    };
    const auto link = [](const char* name, const char* to) {
        return [name, to](const TempFolder& folder, const SmallDisk*) {
            std::error_code error;
            fs::create_symlink(utf8Path(to), folder / name, error);
            return error ? fs::path() : folder / name;
        };
    };
    const TargetCase cases[] = {
        { "a new file", at("out/はなこ.csv"), nullptr },
        { "a file that is there",
            [](const TempFolder& folder, const SmallDisk*) {
                folder.write("out/old.csv", "old");
                return folder / "out/old.csv";
            },
            nullptr },
        { "the record", at("data/records.sqlite"), kRecordFile },
        { "its write-ahead log", at("data/records.sqlite-wal"), kRecordFile },
        { "its shared memory", at("data/records.sqlite-shm"), kRecordFile },
        { "the answers waiting", at("data/records-pending.txt"), kRecordFile },
        { "the problems", at("data/records-problems.txt"), kRecordFile },
        { "a record set aside", at("data/records.sqlite.damaged-20261209-1530"), kRecordFile },
        { "a journal not there yet", at("data/records.sqlite-journal"), kRecordFile },
        { "the record in capitals", at("data/RECORDS.SQLITE"), kRecordFile },
        { "the record by way of ..", at("out/../data/records.sqlite"), kRecordFile },
        { "a link to the record", link("out/link.csv", "../data/records.sqlite"), kRecordFile },
        { "a link to a log not there yet", link("out/link.csv", "../data/records.sqlite-wal2"),
            kRecordFile },
        { "the record in a linked folder",
            [&](const TempFolder& folder, const SmallDisk* disk) {
                const fs::path linked = link("out/data", "../data")(folder, disk);
                return linked.empty() ? linked : linked / "records.sqlite";
            },
            kRecordFile },
        { "another name of the record",
            [](const TempFolder& folder, const SmallDisk*) {
                std::error_code error;
                fs::create_hard_link(
                    folder / "data/records.sqlite", folder / "out/hard.csv", error);
                return error ? fs::path() : folder / "out/hard.csv";
            },
            kRecordFile },
        { "a link to a teacher's file, which stays",
            [&](const TempFolder& folder, const SmallDisk* disk) {
                folder.write("out/teacher.csv", "teacher's");
                return link("out/link.csv", "teacher.csv")(folder, disk);
            },
            nullptr },
        { "a missing folder", at("out/gone/x.csv"), u"フォルダーがありません" },
        { "a read-only file",
            [](const TempFolder& folder, const SmallDisk*) {
                folder.write("out/locked.csv", "locked");
                folder.makeReadOnly("out/locked.csv");
                return folder / "out/locked.csv";
            },
            u"書く許可がありません" },
        { "a folder in its place",
            [](const TempFolder& folder, const SmallDisk*) {
                fs::create_directory(folder / "out/dir.csv");
                return folder / "out/dir.csv";
            },
            u"保存できませんでした" },
        { "a folder that may not be written",
            [](const TempFolder& folder, const SmallDisk*) {
                fs::permissions(folder / "out",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
                // Root writes anyway, and so does anyone on Windows.
                if (std::ofstream(folder / "out/probe"))
                    return fs::path();
                return folder / "out/x.csv";
            },
            u"書く許可がありません" },
        { "a write-protected disk",
            [](const TempFolder& folder, const SmallDisk* disk) {
                return disk->protect() ? folder / "out/x.csv" : fs::path();
            },
            u"書く許可がありません", true },
        { "a full disk",
            [](const TempFolder& folder, const SmallDisk* disk) {
                disk->fill();
                return folder / "out/x.csv";
            },
            u"ディスクがいっぱい", true },
    };
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        fs::create_directories(folder / "data");
        fs::create_directories(folder / "out");
        for (const char* name :
            { "records.sqlite", "records.sqlite-wal", "records.sqlite-shm", "records-pending.txt",
                "records-problems.txt", "records.sqlite.damaged-20261209-1530" })
            folder.write(std::string("data/") + name, name);
        std::optional<SmallDisk> disk;
        if (c.smallDisk && !disk.emplace(folder / "out").mounted()) {
            std::printf("not run, no file system can be mounted here: %s\n", c.what);
            continue;
        }
        const fs::path target = c.prepare(folder, disk ? &*disk : nullptr);
        if (target.empty()) {
            std::printf("not run, this system can't make it: %s\n", c.what);
            continue;
        }
        auto before = contents(folder);

        try {
            ExportTarget::Save(target, folder / "data/records.sqlite", kBytes);
            EXPECT_EQ(c.refusal, nullptr) << "written, not refused";
            EXPECT_FALSE(fs::is_symlink(target));
            before[PathText::utf8(target.lexically_relative(folder.path()))] = std::string(kBytes);
        } catch (const RecordError& error) {
            ASSERT_NE(c.refusal, nullptr) << error.what();
            EXPECT_NE(error.teacherText().find(c.refusal), std::u16string::npos) << error.what();
        }
        EXPECT_EQ(contents(folder), before);
    }
}

} // namespace
