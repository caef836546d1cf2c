#include "data/DataTextFile.h"

#include "data/DataFileError.h"

#include "DataFileFailure.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// What replacing and reading files meets on Linux alone: pipes, file-size limits, mounted file
// systems, modes, symbolic links and process numbers.

namespace {

constexpr auto kProgram = DataItemReader::Source::Program;

TEST(DataTextFileTest, APipeUnderADataFileNameIsRefusedWithoutWaitingForAWriter)
{
    TempFolder folder;
    DataTextFile file;
    ASSERT_EQ(::mkfifo((folder / "pipe.txt").c_str(), 0600), 0);
    EXPECT_EQ(failureKind([&] { file.openForReading(folder / "pipe.txt", kProgram); }),
        DataFileError::Kind::Open);
}

// Lowers the largest file this process may write, for the life of the object; a write past it
// then fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

// A 16 KiB file system mounted over a folder for the life of the object, where this process may
// mount one (as root, outside a restricted container).
class TinyDisk
{
public:
    explicit TinyDisk(std::filesystem::path folder)
        : m_folder(std::move(folder))
        , m_mounted(::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=16k") == 0)
    { }
    ~TinyDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool mounted() const { return m_mounted; }
    // As a write-protected stick: nothing on it can change, not even for root.
    void protect() const
    {
        ASSERT_EQ(::mount(nullptr, m_folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    }

    // Takes every block that is left.
    static void fill(const std::filesystem::path& file)
    {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string block(1024, 'x');
        while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) { }
        ::close(fd);
    }

private:
    std::filesystem::path m_folder;
    bool m_mounted;
};

struct FailedReplaceCase
{
    const char* what;
    const char* saved; // the name saved
    const char* holder; // the file that holds the old content
    std::function<void(const TempFolder&, const TinyDisk*)> prepare;
    rlim_t sizeLimit = RLIM_INFINITY;
    bool tinyDisk = false;
};

TEST(DataTextFileTest, AReplaceThatFailsKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    const auto readOnly = [](const char* name) {
        return [name](const TempFolder& folder, const TinyDisk*) {
            ASSERT_EQ(::chmod((folder / name).c_str(), 0444), 0);
        };
    };
    const std::vector<FailedReplaceCase> cases {
        { "a read-only file", "tapomi.txt", "tapomi.txt", readOnly("tapomi.txt") },
        { "a read-only file behind a link", "Fname.txt", "real.txt",
            [&](const TempFolder& folder, const TinyDisk* disk) {
                readOnly("real.txt")(folder, disk);
                std::filesystem::create_symlink("real.txt", folder / "Fname.txt");
            } },
        { "a file-size limit of 4 bytes", "tapomi.txt", "tapomi.txt", nullptr, 4 },
        { "a full disk", "tapomi.txt", "tapomi.txt",
            [](const TempFolder& folder, const TinyDisk*) { TinyDisk::fill(folder / "filler"); },
            RLIM_INFINITY, true },
        { "a write-protected disk", "tapomi.txt", "tapomi.txt",
            [](const TempFolder&, const TinyDisk* disk) { disk->protect(); }, RLIM_INFINITY, true },
        { "a folder in the file's place", "dir.txt", "tapomi.txt",
            [](const TempFolder& folder, const TinyDisk*) {
                std::filesystem::create_directory(folder / "dir.txt");
            } },
    };
    for (const FailedReplaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        std::optional<TinyDisk> disk;
        if (c.tinyDisk && !disk.emplace(folder.path()).mounted()) {
            std::printf("not run, no file system can be mounted here: %s\n", c.what);
            continue;
        }
        folder.write(c.holder, "old");
        if (c.prepare)
            c.prepare(folder, disk ? &*disk : nullptr);
        const std::vector<std::string> before = folder.names();

        DataTextFile file;
        file.openForWriting(folder / c.saved);
        file.WriteLine(u"#FALSE#,#FALSE#,#FALSE#,#FALSE#,40");
        {
            const FileSizeLimit limit(c.sizeLimit);
            EXPECT_EQ(failureKind([&] { file.close(); }), DataFileError::Kind::Write);
        }
        EXPECT_EQ(folder.read(c.holder), "old");
        EXPECT_EQ(folder.names(), before);
    }
}

pid_t finishedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(DataTextFileTest, TemporaryFilesOfKilledSavesGoAtTheNextSaveOfTheirFile)
{
    TempFolder folder;
    folder.write("tapomi.txt", "old");
    const std::string gone = std::to_string(finishedProcess());
    const std::string running = std::to_string(::getppid());
    const std::string killed = ".tapomi.txt." + gone + ".0.tmp";
    const std::string stillSaving = ".tapomi.txt." + running + ".3.tmp";
    const std::string forgotten = ".tapomi.txt." + running + ".4.tmp";
    const std::string otherFile = ".Fname.txt." + gone + ".0.tmp";
    const std::string teachers = ".tapomi.txt.bak";
    for (const std::string& name : { killed, stillSaving, forgotten, otherFile, teachers })
        folder.write(name, "x");
    // Two hours old: no save takes that long, whoever's it was.
    const timespec times[2]
        = { { std::time(nullptr) - 7200, 0 }, { std::time(nullptr) - 7200, 0 } };
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder / forgotten).c_str(), times, 0), 0);

    DataTextFile file;
    file.openForWriting(folder / "tapomi.txt");
    file.WriteLine(u"new");
    file.close();
    EXPECT_EQ(folder.read("tapomi.txt"), "new\r\n");
    std::vector<std::string> kept { stillSaving, otherFile, teachers, "tapomi.txt" };
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.names(), kept);
}

TEST(DataTextFileTest, ReplacesAFileKeepingItsPermissionsAndLinks)
{
    TempFolder folder;
    folder.write("real.txt", "old");
    ASSERT_EQ(::chmod((folder / "real.txt").c_str(), 0640), 0);
    std::filesystem::create_symlink("real.txt", folder / "link.txt");

    DataTextFile file;
    file.openForWriting(folder / "link.txt");
    file.WriteLine(u"new");
    file.close();

    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
    EXPECT_EQ(folder.read("real.txt"), "new\r\n");
    struct stat status
    {
    };
    ASSERT_EQ(::stat((folder / "real.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.names(), (std::vector<std::string> { "link.txt", "real.txt" }));
}

TEST(DataTextFileTest, AReadOnlyFolderIsAWriteFailureAndKeepsTheOldFile)
{
    TempFolder folder;
    folder.write("tapomi.txt", "old");
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    if (::access(folder.path().c_str(), W_OK) == 0)
        GTEST_SKIP() << "this user writes into read-only folders (root)";

    DataTextFile file;
    file.openForWriting(folder / "tapomi.txt");
    file.WriteLine(u"new");
    EXPECT_EQ(failureKind([&] { file.close(); }), DataFileError::Kind::Write);
    EXPECT_EQ(folder.read("tapomi.txt"), "old");
}

} // namespace
