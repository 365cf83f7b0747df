// Pack files: the exact layout we write, what opening accepts, and extraction that stays inside
// its folder whatever the pack's directory claims.
#include "core/names/pack_file.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// The bytes Pack writes for these files (name, contents), without a comment.
std::string packOf(const TempDir& dir,
                   const std::vector<std::pair<std::string, std::string>>& files,
                   const Clock& clock = FakeClock()) {
    std::vector<std::string> paths;
    for (const auto& [name, bytes] : files) {
        dir.write(name, bytes);
        paths.push_back(dir.file(name));
    }
    EXPECT_EQ(PackFile::pack(dir.file("pack.qpk"), paths, "", clock), PackResult::kOk);
    return dir.read("pack.qpk");
}

// Directory entry i of a pack without a comment, and its name field.
size_t entryAt(size_t i) {
    return 17 + i * 55;
}
void setName(std::string& pack, size_t i, const std::string& name) {
    pack.replace(entryAt(i) + 23, 32, name + std::string(32 - name.size(), '\0'));
}

TEST(PackFile, LayoutOfTwoFilesWithoutComment) {
    TempDir dir;
    const std::string p =
        packOf(dir, {{"a.cdb", "AAAA"}, {"b.cfg", "BB"}}, FakeClock::at(2024, 3, 9, 14, 5, 6));
    ASSERT_EQ(p.size(), 127u + 6u);
    EXPECT_EQ(p.substr(0, 17),
              std::string("QPK\x01\x00\x80\x20\x00\x87\xe8\x03\x09\x0e\x05\x06\x80\x02", 17));
    // Entry 1: contents at 1-based position 128, 4 bytes, the name padded with zeros.
    EXPECT_EQ(p.substr(entryAt(0) + 15, 8), std::string("\x80\x00\x00\x80\x80\x00\x00\x04", 8));
    EXPECT_EQ(p.substr(entryAt(0) + 23, 32), std::string("a.cdb") + std::string(27, '\0'));
    EXPECT_EQ(p.substr(entryAt(1) + 15, 4), std::string("\x80\x00\x00\x84", 4));
    EXPECT_EQ(p.substr(127), "AAAABB");
}

TEST(PackFile, LongNamesKeepTheirExtension) {
    EXPECT_EQ(packNameField(std::string(36, 'x') + ".cdb", 32), std::string(28, 'x') + ".cdb");
    EXPECT_EQ(packNameField(std::string(40, 'z'), 32), std::string(32, 'z'));
    EXPECT_EQ(packNameField("abcdefgh.tar.gz", 10), "abc.tar.gz");  // from the first full stop
    EXPECT_EQ(packNameField("a." + std::string(40, 'e'), 8), "a.eeeeee");

    // A name of exactly the width has no terminator and reads back whole.
    TempDir dir;
    const std::string exact = std::string(28, 'y') + ".cfg";
    PackFile pack;
    ASSERT_EQ(pack.openBytes(packOf(dir, {{exact, "1"}})), PackResult::kOk);
    EXPECT_EQ(pack.entries().at(0).name, exact);
}

TEST(PackFile, ContentsLastWriteTimeAndReadOnlyComeBack) {
    TempDir src;
    src.write("events.cdb", std::string("\x00\x01\xff binary", 10));
    src.write("settings.cfg", "Skin = 1\r\n");
    src.write("empty.dat", "");
    ::chmod(src.file("settings.cfg").c_str(), 0444);
    std::tm tm{0, 30, 9, 17, 4, 119, 0, 0, -1, 0, nullptr};  // 2019-05-17 09:30 local
    const time_t when = std::mktime(&tm);
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, src.file("events.cdb").c_str(), times, 0), 0);

    TempDir out;
    const std::vector<std::string> files = {src.file("events.cdb"), src.file("settings.cfg"),
                                            src.file("empty.dat")};
    ASSERT_EQ(PackFile::pack(out.file("b.backup"), files, std::string(300, 'c'),
                             FakeClock::at(2024, 3, 9, 8, 0, 0)),
              PackResult::kOk);
    PackFile pack;
    ASSERT_EQ(pack.openPack(out.file("b.backup")), PackResult::kOk);
    EXPECT_EQ(pack.comment(), std::string(255, 'c'));
    EXPECT_EQ(pack.packedAt(), (PackStamp{2024, 3, 9, 8, 0, 0}));
    EXPECT_EQ(pack.entries()[0].modified, (PackStamp{2019, 5, 17, 9, 30, 0}));
    EXPECT_EQ(pack.entries()[1].attributes & kPackAttrReadOnly, kPackAttrReadOnly);

    ASSERT_EQ(pack.extractAll(out.dir(), true), PackResult::kOk);
    for (const char* name : {"events.cdb", "settings.cfg", "empty.dat"})
        EXPECT_EQ(out.read(name), src.read(name)) << name;
    struct stat st {};
    ASSERT_EQ(::stat(out.file("events.cdb").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, when);
    ASSERT_EQ(::stat(out.file("settings.cfg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);
    // Without restoring, a file comes out writable, over a read-only one.
    ASSERT_EQ(pack.extractEntry(out.dir(), 1, false), PackResult::kOk);
    ASSERT_EQ(::stat(out.file("settings.cfg").c_str(), &st), 0);
    EXPECT_NE(st.st_mode & 0200, 0u);
}

TEST(PackFile, OpenResultCodes) {
    TempDir dir;
    const std::string good = packOf(dir, {{"a", "1"}});
    std::string negativeWidth = good;
    negativeWidth[5] = '\x7f';
    const std::vector<std::pair<std::string, PackResult>> cases = {
        {"QP", PackResult::kBadMagic},
        {"QPX" + good.substr(3), PackResult::kBadMagic},
        {std::string("QPK\x02\x00", 5) + good.substr(5), PackResult::kBadVersion},
        {std::string("QPK\x01\x01", 5) + good.substr(5), PackResult::kBadVersion},
        {"QPK\x01", PackResult::kBadVersion},
        {good.substr(0, 16), PackResult::kDamaged},       // inside the count
        {good.substr(0, 17 + 54), PackResult::kDamaged},  // inside the directory
        {negativeWidth, PackResult::kDamaged},
        {good.substr(0, 17 + 55), PackResult::kOk},  // contents are checked when read
    };
    PackFile pack;
    for (const auto& [bytes, code] : cases) {
        EXPECT_EQ(pack.openBytes(bytes), code) << ::testing::PrintToString(bytes);
        EXPECT_EQ(pack.isOpen(), code == PackResult::kOk);
    }
    EXPECT_EQ(pack.openPack(dir.file("missing.qpk")), PackResult::kNoFile);
    EXPECT_EQ(pack.extractAll(dir.dir(), false), PackResult::kNotOpen);
}

TEST(PackFile, NamesThatWouldLeaveTheFolderAreRefusedAndTheRestComesOut) {
    TempDir root;
    fs::create_directory(root.file("dest"));
    const std::vector<std::string> bad = {"",         ".",  "..",     "../victim", "a/b", "..\\v",
                                          "C:victim", "z:", "/etc/x", "t\tab",     "\\"};
    std::vector<std::pair<std::string, std::string>> files;
    for (size_t i = 0; i < bad.size(); ++i)
        files.push_back({"f" + std::to_string(i), "evil"});
    files.push_back({"good.txt", "fine"});
    std::string bytes = packOf(root, files);
    for (size_t i = 0; i < bad.size(); ++i)
        setName(bytes, i, bad[i]);
    const auto before = std::distance(fs::directory_iterator(root.dir()), {});

    PackFile pack;
    ASSERT_EQ(pack.openBytes(bytes), PackResult::kOk);
    EXPECT_EQ(pack.extractAll(root.file("dest"), true), PackResult::kUnsafeName);
    EXPECT_EQ(std::distance(fs::directory_iterator(root.dir()), {}), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(root.file("dest")), {}), 1);
    EXPECT_EQ(root.read("dest/good.txt"), "fine");
    EXPECT_TRUE(isSafeEntryName("..hidden"));
    EXPECT_TRUE(isSafeEntryName("árvíztűrő.txt"));
}

TEST(PackFile, ALinkInTheFolderIsReplacedNotFollowed) {
    TempDir root;
    fs::create_directory(root.file("dest"));
    root.write("outside", "keep");
    ::chmod(root.file("outside").c_str(), 0400);
    fs::create_symlink(root.file("outside"), root.file("dest/a.txt"));
    PackFile pack;
    ASSERT_EQ(pack.openBytes(packOf(root, {{"a.txt", "new"}})), PackResult::kOk);
    ASSERT_EQ(pack.extractAll(root.file("dest"), false), PackResult::kOk);
    EXPECT_FALSE(fs::is_symlink(root.file("dest/a.txt")));
    EXPECT_EQ(root.read("dest/a.txt"), "new");
    EXPECT_EQ(root.read("outside"), "keep");
    EXPECT_EQ(fs::status(root.file("outside")).permissions(), fs::perms::owner_read);
}

TEST(PackFile, ContentsOutsideTheFileFailThatEntryOnly) {
    TempDir dir;
    std::string bytes = packOf(dir, {{"past_end", "xx"}, {"zero_pos", "y"}, {"ok", "data"}});
    bytes[entryAt(0) + 22] = '\x70';                                        // size 112
    bytes.replace(entryAt(1) + 15, 4, std::string("\x80\x00\x00\x00", 4));  // position 0
    PackFile pack;
    ASSERT_EQ(pack.openBytes(bytes), PackResult::kOk);
    std::string out;
    EXPECT_EQ(pack.readEntry(0, out), PackResult::kReadError);
    EXPECT_EQ(pack.readEntry(1, out), PackResult::kReadError);
    EXPECT_EQ(pack.readEntry(3, out), PackResult::kReadError);
    EXPECT_EQ(pack.extractAll(dir.file("out"), true), PackResult::kWriteError);  // no such folder
    fs::create_directory(dir.file("out"));
    EXPECT_EQ(pack.extractAll(dir.file("out"), true), PackResult::kReadError);
    EXPECT_EQ(dir.read("out/ok"), "data");
    EXPECT_FALSE(fs::exists(dir.file("out/past_end")));
}

}  // namespace
}  // namespace tv
