// The sayings the build packs into the program folder: every line of the source arrives whole,
// in order, and splits into a saying and an author the way the wisdom box splits it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/calc/files.h"
#include "core/names/data_block_reader.h"

namespace tv {
namespace {

std::vector<std::string> sourceEntries() {
    std::string text;
    EXPECT_EQ(readWholeFile(TV_TEST_SOURCE_DIR "/data/hun_wise.txt", text), ReadResult::kOk);
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && !line.starts_with("//")) out.push_back(line);
    }
    return out;
}

TEST(ShippedWisdom, HoldsAtLeast500SayingsEachWithAnAuthor) {
    DataBlockReader reader;
    ASSERT_EQ(reader.openFile(TV_TEST_PROGRAM_DIR "/data/hun_wise.dat"), DataBlockOpen::kOpened)
        << "the build writes data/hun_wise.dat into the program folder";
    const int32_t count = reader.entryCount();
    EXPECT_GE(count, 500);

    const std::vector<std::string> source = sourceEntries();
    ASSERT_EQ(static_cast<size_t>(count), source.size());

    std::set<std::string> sayings;
    for (int32_t n = 1; n <= count; ++n) {
        const std::string entry = reader.readEntry(n);
        ASSERT_EQ(entry, source[static_cast<size_t>(n - 1)]) << "entry " << n;
        const size_t plus = entry.rfind('+');
        ASSERT_NE(plus, std::string::npos) << entry;
        const std::string saying = entry.substr(0, plus);
        const std::string author = entry.substr(plus + 1);
        EXPECT_FALSE(saying.empty()) << entry;
        EXPECT_FALSE(author.empty()) << entry;
        EXPECT_TRUE(sayings.insert(saying).second) << "twice: " << saying;
    }
}

}  // namespace
}  // namespace tv
