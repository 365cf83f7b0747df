#include "core/calc/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

namespace fs = std::filesystem;
using test::FailingFileOps;
using test::FileStep;

const std::string kOld = "régi tartalom\r\n";
const std::string kNew(10000, 'n');  // several short writes when the double asks for them

struct SaveCase {
    const char* name;
    FileStep fail;
    int error;
    bool saved;
    bool replaced;  // the target holds the new bytes afterwards
};

// Every point where the save can fail. Before the rename the old file must stay whole; after it
// the new bytes are in place, but a folder that was not flushed is still reported.
const SaveCase kSaveCases[] = {
    {"nothing fails", FileStep::kNone, 0, true, true},
    {"the temporary file cannot be made", FileStep::kOpen, EACCES, false, false},
    {"the disk is full", FileStep::kWrite, ENOSPC, false, false},
    {"a write makes no progress", FileStep::kWriteNoProgress, EIO, false, false},
    {"fsync", FileStep::kFsync, EIO, false, false},
    {"close", FileStep::kClose, EIO, false, false},
    {"rename", FileStep::kRename, EXDEV, false, false},
    {"the folder cannot be opened", FileStep::kOpenFolder, EACCES, false, true},
    {"the folder fsync", FileStep::kFsyncFolder, EIO, false, true},
    {"a file system without folder flushes", FileStep::kFsyncFolder, EINVAL, true, true},
    {"closing the folder", FileStep::kCloseFolder, EIO, false, true},
};

TEST(SaveFileAtomic, EveryFailurePointKeepsTheOldFileOrReportsTheNewOne) {
    for (const SaveCase& c : kSaveCases) {
        for (const size_t failAt : {size_t{0}, size_t{1}, kNew.size() / 2, kNew.size() - 1}) {
            if (c.fail != FileStep::kWrite && failAt != 0) continue;
            SCOPED_TRACE(std::string(c.name) + ", byte " + std::to_string(failAt));
            test::TempDir dir;
            dir.write("settings.cfg", kOld);
            FailingFileOps ops(c.fail, c.error);
            ops.failAtByte = failAt;
            ops.mostPerWrite = 4096;
            errno = 0;
            EXPECT_EQ(saveFileAtomic(dir.file("settings.cfg"), kNew, ".tmp", 0644, ops), c.saved);
            if (!c.saved) {
                EXPECT_EQ(errno, c.error) << std::strerror(errno);  // what the caller shows
            }
            EXPECT_EQ(dir.read("settings.cfg"), c.replaced ? kNew : kOld);
            EXPECT_FALSE(fs::exists(dir.file("settings.cfg.tmp")));
        }
    }
}

TEST(SaveFileAtomic, FlushesTheFileBeforeTheRenameAndTheFolderAfterIt) {
    test::TempDir dir;
    FailingFileOps ops;
    ASSERT_TRUE(saveFileAtomic(dir.file("events.cdb"), "abc", "_temp", 0644, ops));
    EXPECT_EQ(ops.steps(),
              (std::vector<std::string>{"unlink", "open", "write", "fsync", "close", "rename",
                                        "open folder", "fsync folder", "close folder"}));
    EXPECT_EQ(ops.calls[1], "open " + dir.file("events.cdb_temp"));
    EXPECT_EQ(ops.calls[5], "rename " + dir.file("events.cdb_temp") + " " + dir.file("events.cdb"));
    EXPECT_EQ(dir.read("events.cdb"), "abc");
}

TEST(SaveFileAtomic, ShortAndInterruptedWritesStillWriteEveryByteOnce) {
    test::TempDir dir;
    FailingFileOps ops;
    ops.mostPerWrite = 7;
    ops.interruptEachWrite = true;
    ASSERT_TRUE(saveFileAtomic(dir.file("a.dat"), kNew, ".tmp", 0644, ops));
    EXPECT_EQ(dir.read("a.dat"), kNew);
    EXPECT_EQ(ops.written, kNew.size());
}

TEST(SaveFileAtomic, NewFileGetsItsModeAndALeftOverTemporaryFileIsReplaced) {
    test::TempDir dir;
    dir.write("a.dat.tmp", "left by a crash, longer than the new bytes");
    const mode_t oldMask = ::umask(022);
    ASSERT_TRUE(saveFileAtomic(dir.file("a.dat"), "new", ".tmp", 0600));
    ::umask(oldMask);
    EXPECT_EQ(dir.read("a.dat"), "new");
    EXPECT_EQ(fs::status(dir.file("a.dat")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(dir.file("a.dat.tmp")));

    fs::create_directory(dir.file("sub"));  // stored paths may still carry "\"
    ASSERT_TRUE(saveFileAtomic(dir.dir() + "sub\\b.dat", "x"));
    EXPECT_EQ(dir.read("sub/b.dat"), "x");
}

TEST(SaveFileAtomic, FailureWithoutAnOldFileLeavesNothingBehind) {
    test::TempDir dir;
    FailingFileOps ops(FileStep::kFsync);
    EXPECT_FALSE(saveFileAtomic(dir.file("new.cfg"), "x", ".tmp", 0644, ops));
    EXPECT_TRUE(fs::is_empty(dir.dir()));
    EXPECT_FALSE(saveFileAtomic(dir.file("missing/new.cfg"), "x"));  // no such folder
}

TEST(FlushFolder, ReportsWhatTheFolderCallsReport) {
    test::TempDir dir;
    EXPECT_TRUE(flushFolder(dir.dir()));
    EXPECT_FALSE(flushFolder(dir.file("missing")));
    FailingFileOps fails(FileStep::kFsyncFolder, EIO);
    EXPECT_FALSE(flushFolder(dir.dir(), fails));
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(fails.steps(), (std::vector<std::string>{"open folder", "fsync folder",
                                                       "close folder"}));  // closed either way
}

// Runs a test body inside a folder, so that short relative paths can be tried.
class InFolder {
public:
    explicit InFolder(const std::string& dir) : old_(fs::current_path()) { fs::current_path(dir); }
    ~InFolder() { fs::current_path(old_); }

private:
    fs::path old_;
};

TEST(Files, FolderOfAPathIsWhatComesBeforeItsLastSlash) {
    EXPECT_EQ(folderOf("/home/anna/settings.cfg"), "/home/anna");
    EXPECT_EQ(folderOf("/settings.cfg"), "/");
    EXPECT_EQ(folderOf("a/settings.cfg"), "a");
    EXPECT_EQ(folderOf("settings.cfg"), ".");
    EXPECT_EQ(folderOf("/home/anna/"), "/home/anna");
}

TEST(Files, ExistenceTestsTrimAndTellFilesFromFolders) {
    test::TempDir dir;
    dir.write("abcd", "x");
    dir.write("abc", "x");
    EXPECT_TRUE(fileExists(" " + dir.file("abcd") + "\t"));
    EXPECT_FALSE(fileExists(dir.dir()));
    EXPECT_TRUE(folderExists(dir.dir() + " "));
    EXPECT_FALSE(folderExists(dir.file("abcd")));
    EXPECT_FALSE(folderExists("  "));
    EXPECT_TRUE(folderExists(dir.dir() + "..\\"));
    {
        InFolder here(dir.dir());
        EXPECT_TRUE(fileExists("abcd"));  // four characters: the shortest name taken
        EXPECT_FALSE(fileExists("abc"));
    }
}

TEST(Files, CreateFolderPathMakesEveryMissingLevelOfAnAbsolutePath) {
    test::TempDir dir;
    EXPECT_TRUE(createFolderPath(dir.dir() + "a/b\\c"));
    EXPECT_TRUE(fs::is_directory(dir.file("a/b/c")));
    EXPECT_TRUE(createFolderPath(dir.dir() + "a/b/c/"));  // already there
    EXPECT_FALSE(createFolderPath("relative/path"));
    EXPECT_FALSE(createFolderPath(""));
    dir.write("file", "x");
    EXPECT_FALSE(createFolderPath(dir.dir() + "file/sub"));
}

TEST(Files, DeleteFileForcedTakesReadOnlyFilesButNotFolders) {
    test::TempDir dir;
    dir.write("ro.dat", "x");
    ::chmod(dir.file("ro.dat").c_str(), 0444);
    EXPECT_TRUE(deleteFileForced(dir.file("ro.dat")));
    EXPECT_FALSE(fs::exists(dir.file("ro.dat")));
    EXPECT_FALSE(deleteFileForced(dir.file("ro.dat")));
    fs::create_directory(dir.file("sub.dat"));
    EXPECT_FALSE(deleteFileForced(dir.file("sub.dat")));
    EXPECT_TRUE(fs::is_directory(dir.file("sub.dat")));
}

TEST(Files, ReadWholeFileKeepsToItsLimitAndTellsMissingFromUnreadable) {
    test::TempDir dir;
    dir.write("ten.dat", "0123456789");
    std::string out = "stale";
    EXPECT_EQ(readWholeFile(dir.file("ten.dat"), out, 10), ReadResult::kOk);
    EXPECT_EQ(out, "0123456789");
    EXPECT_EQ(readWholeFile(dir.file("ten.dat"), out, 9), ReadResult::kTooLarge);
    fs::create_directory(dir.file("sub"));
    dir.write("sub/two.dat", "22");
    EXPECT_EQ(readWholeFile(dir.dir() + "sub\\two.dat", out), ReadResult::kOk);
    EXPECT_EQ(out, "22");
    // A file that grows past its stated size (size 0 here) is still held to the limit.
    EXPECT_EQ(readWholeFile("/proc/self/status", out, 10), ReadResult::kTooLarge);
    EXPECT_EQ(readWholeFile(dir.file("none.dat"), out), ReadResult::kMissing);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(readWholeFile(dir.file("ten.dat/inside"), out), ReadResult::kMissing);
    EXPECT_EQ(readWholeFile(dir.dir(), out), ReadResult::kError);
    // A folder is unreadable, not too large, whatever its size says.
    EXPECT_EQ(readWholeFile(dir.dir(), out, 0), ReadResult::kError);
    dir.write("empty.dat", "");
    EXPECT_EQ(readWholeFile(dir.file("empty.dat"), out, 0), ReadResult::kOk);
}

}  // namespace
}  // namespace tv
