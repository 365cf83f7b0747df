#include "core/names/data_block_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "core/config/cp1250.h"
#include "core/names/data_block_writer.h"

namespace tv {
namespace {

using namespace std::string_literals;

class TempFolder {
public:
    TempFolder() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "tv_datablock_XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ + "/" + name, std::ios::binary) << bytes;
        return path_ + "/" + name;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string kOne = "\x80\x00\x00\x01"s;  // biased count 1

std::string header(const std::string& count, char offsetWidth, char lengthWidth) {
    return "DATA_QZS"s + count + offsetWidth + lengthWidth;
}

std::vector<std::string> readAll(const DataBlockReader& reader) {
    std::vector<std::string> out;
    for (int32_t n = 1; n <= reader.entryCount(); ++n)
        out.push_back(reader.readEntry(n));
    return out;
}

TEST(DataBlockIntegers, DecodeRemovesTheBiasHighByteFirst) {
    EXPECT_EQ(decodeInt16("\x80\x1E"), 30);
    EXPECT_EQ(decodeInt16("\x00\x00"s), -32768);
    EXPECT_EQ(decodeInt16("\x7F\xFF"), -1);
    EXPECT_EQ(decodeInt32("\x80\x00\x00\x05"s), 5);
    EXPECT_EQ(decodeInt32("\x81\x02\x03\x04"), 0x01020304);
    EXPECT_EQ(decodeInt32("\x00\x00\x00\x00"s), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(decodeInt32("\xFF\xFF\xFF\xFF"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(decodeInt16("\x80\x1E\x00"s), 0);  // only the exact width decodes
    EXPECT_EQ(decodeInt32("\x80\x00\x05"s), 0);
}

TEST(DataBlockReader, ReadsAHandMadeFileWithHungarianText) {
    // Two entries, 2-byte positions, 1-byte lengths; texts from byte 20 (position 21).
    const std::string bytes = header("\x80\x00\x00\x02"s, 2, 1) + "\x80\x15\x05"s +
                              "\x80\x1A\x0B"s + "Hello" + "\xC1rv\xEDzt\xFBr\xF5+X";
    TempFolder tmp;
    DataBlockReader reader;
    ASSERT_EQ(reader.openFile(tmp.file("wise.dat", bytes)), DataBlockOpen::kOpened);
    EXPECT_EQ(readAll(reader), (std::vector<std::string>{"Hello", "Árvíztűrő+X"}));
    EXPECT_EQ(reader.readEntry(0), "");
    EXPECT_EQ(reader.readEntry(3), "");
}

class DataBlockWidthsTest : public ::testing::TestWithParam<std::pair<char, char>> {};

TEST_P(DataBlockWidthsTest, WriterAndReaderAgreeOnEveryWidth) {
    const auto [offsetWidth, lengthWidth] = GetParam();
    const std::vector<std::string> entries = {"Árvíztűrő tükörfúrógép+ŐŰ", "", "„–”"};
    std::string bytes;
    ASSERT_TRUE(
        buildDataBlock(entries, bytes,
                       {static_cast<uint8_t>(offsetWidth), static_cast<uint8_t>(lengthWidth)})
            .ok());
    TempFolder tmp;
    DataBlockReader reader;
    ASSERT_EQ(reader.openFile(tmp.file("w.dat", bytes)), DataBlockOpen::kOpened);
    EXPECT_EQ(reader.offsetWidth(), offsetWidth);
    EXPECT_EQ(reader.lengthWidth(), lengthWidth);
    EXPECT_EQ(readAll(reader), entries);
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, DataBlockWidthsTest,
                         ::testing::Values(std::pair{1, 1}, std::pair{1, 2}, std::pair{1, 4},
                                           std::pair{2, 1}, std::pair{2, 2}, std::pair{2, 4},
                                           std::pair{4, 1}, std::pair{4, 2}, std::pair{4, 4}));

struct LyingFile {
    const char* what;
    std::string bytes;
    int32_t count;
    std::vector<std::string> entries;  // what readEntry(1..) gives
};

class DataBlockLyingFileTest : public ::testing::TestWithParam<LyingFile> {};

TEST_P(DataBlockLyingFileTest, GivesEmptyOrCutTextNeverMore) {
    const LyingFile& c = GetParam();
    DataBlockReader reader;
    ASSERT_EQ(reader.openBytes(c.bytes), DataBlockOpen::kOpened) << c.what;
    EXPECT_EQ(reader.entryCount(), c.count) << c.what;
    for (size_t i = 0; i < c.entries.size(); ++i) {
        EXPECT_EQ(reader.readEntry(static_cast<int32_t>(i + 1)), c.entries[i]) << c.what;
    }
}

// One record at byte 14 and the text "ab" at byte 16 (position 17) unless a case says otherwise.
INSTANTIATE_TEST_SUITE_P(
    Table, DataBlockLyingFileTest,
    ::testing::Values(
        LyingFile{"count beyond index",
                  header("\x80\x00\x00\x03"s, 1, 1) + "\x11\x02" + "ab",
                  3,
                  {"ab", "", ""}},
        LyingFile{"position 1", header(kOne, 1, 1) + "\x01\x04" + "ab", 1, {"DATA"}},
        LyingFile{"position at end", header(kOne, 1, 1) + "\x13\x01" + "ab", 1, {""}},
        LyingFile{"length past end", header(kOne, 1, 1) + "\x11\x32" + "ab", 1, {"ab"}},
        LyingFile{"position 0", header(kOne, 1, 1) + "\x00\x02"s + "ab", 1, {""}},
        LyingFile{"negative position", header(kOne, 2, 1) + "\x00\x00\x02"s + "ab", 1, {""}},
        LyingFile{"negative length", header(kOne, 1, 2) + "\x12\x7F\xFF" + "ab", 1, {""}},
        LyingFile{"huge length", header(kOne, 1, 4) + "\x14\xFF\xFF\xFF\xFF" + "ab", 1, {"ab"}},
        LyingFile{"huge position", header(kOne, 4, 1) + "\xFF\xFF\xFF\xFF\x02" + "ab", 1, {""}},
        LyingFile{"index cut off", header(kOne, 4, 4) + "\x80\x00\x00"s, 1, {""}},
        LyingFile{"width 3", header(kOne, 3, 1) + "\x80\x00\x12\x02"s + "ab", 1, {""}},
        LyingFile{
            "negative count", header("\x7F\xFF\xFF\xFF"s, 1, 1) + "\x11\x02" + "ab", -1, {""}}));

TEST(DataBlockReader, EveryTruncationOfAGoodFileGivesOnlyPrefixes) {
    const std::vector<std::string> entries = {"Ki korán kel+aranyat lel", "Ő", "ű"};
    std::string whole;
    ASSERT_TRUE(buildDataBlock(entries, whole, {2, 2}).ok());
    for (size_t size = 0; size <= whole.size(); ++size) {
        DataBlockReader reader;
        const DataBlockOpen code = reader.openBytes(whole.substr(0, size));
        if (size < DataBlockReader::kHeaderSize) {
            EXPECT_EQ(code, DataBlockOpen::kBadMagic) << size;
            continue;
        }
        ASSERT_EQ(reader.entryCount(), 3) << size;
        for (int32_t n = 1; n <= 3; ++n) {
            const std::string got = utf8ToCp1250(reader.readEntry(n));
            const std::string full = utf8ToCp1250(entries[static_cast<size_t>(n - 1)]);
            EXPECT_EQ(full.substr(0, got.size()), got) << "size " << size << " entry " << n;
        }
    }
}

TEST(DataBlockReader, FileShrunkAfterOpeningGivesCutText) {
    std::string bytes;
    ASSERT_TRUE(buildDataBlock({"abcdef"}, bytes).ok());
    TempFolder tmp;
    const std::string path = tmp.file("w.dat", bytes);
    DataBlockReader reader;
    ASSERT_EQ(reader.openFile(path), DataBlockOpen::kOpened);
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(bytes.size() - 2)), 0);
    EXPECT_EQ(reader.readEntry(1), "abcd");
}

TEST(DataBlockReader, OpenFileCodesAndReplacingTheOpenFile) {
    TempFolder tmp;
    const std::string first = tmp.file("a.dat", header(kOne, 1, 1) + "\x11\x02" + "ab");
    const std::string second =
        tmp.file("b.dat", header("\x80\x00\x00\x02"s, 1, 1) + "\x13\x01\x14\x01" + "xy");
    DataBlockReader reader;
    EXPECT_EQ(reader.openFile("a.b"), DataBlockOpen::kNoFile);
    EXPECT_EQ(reader.openFile(tmp.path()), DataBlockOpen::kNoFile);  // a folder
    EXPECT_EQ(reader.openFile(tmp.file("short.dat", "DATA_QZS\x80\x00"s)),
              DataBlockOpen::kBadMagic);
    EXPECT_EQ(reader.entryCount(), 0);

    ASSERT_EQ(reader.openFile(first), DataBlockOpen::kOpened);
    // Stored paths may carry Windows separators and stray blanks.
    std::string stored = " " + second + " ";
    stored.replace(stored.rfind('/'), 1, "\\");
    ASSERT_EQ(reader.openFile(stored), DataBlockOpen::kOpened);
    EXPECT_EQ(readAll(reader), (std::vector<std::string>{"x", "y"}));

    // A missing path is refused before anything is closed; a wrong magic closes the old file.
    EXPECT_EQ(reader.openFile(tmp.path() + "/none.dat"), DataBlockOpen::kNoFile);
    EXPECT_EQ(reader.entryCount(), 2);
    EXPECT_EQ(reader.openFile(tmp.file("c.dat", "DATA_QZs" + kOne + "\x01\x01")),
              DataBlockOpen::kBadMagic);
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(reader.readEntry(1), "");

    ASSERT_EQ(reader.openFile(first), DataBlockOpen::kOpened);
    EXPECT_EQ(reader.closeFile(), 0);
    EXPECT_EQ(reader.entryCount(), 0);
    EXPECT_EQ(reader.readEntry(1), "");
}

}  // namespace
}  // namespace tv
