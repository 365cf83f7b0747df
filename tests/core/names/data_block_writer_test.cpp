#include "core/names/data_block_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/names/data_block_reader.h"

namespace tv {
namespace {

using namespace std::string_literals;

TEST(DataBlockIntegers, EncodeIsTheInverseOfDecode) {
    for (int32_t v : {-32768, -1, 0, 255, 256, 32767}) {
        EXPECT_EQ(decodeInt16(encodeInt16(static_cast<int16_t>(v))), v);
    }
    for (int64_t v = std::numeric_limits<int32_t>::min(); v <= std::numeric_limits<int32_t>::max();
         v += 16'843'009) {
        EXPECT_EQ(decodeInt32(encodeInt32(static_cast<int32_t>(v))), v);
    }
    EXPECT_EQ(encodeInt16(30), "\x80\x1E");
    EXPECT_EQ(encodeInt32(std::numeric_limits<int32_t>::max()), "\xFF\xFF\xFF\xFF");
}

TEST(DataBlockWriter, WritesTheExactBytes) {
    std::string out;
    ASSERT_TRUE(buildDataBlock({"ab", "ő"}, out).ok());
    EXPECT_EQ(out, "DATA_QZS\x80\x00\x00\x02\x01\x01"s + "\x13\x02\x15\x01" + "ab\xF5");
}

struct WidthCase {
    std::vector<size_t> lengths;  // entry lengths in bytes
    int offsetWidth;
    int lengthWidth;
};

class DataBlockAutoWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(DataBlockAutoWidthTest, PicksTheNarrowestWidthsThatHoldEveryValue) {
    const WidthCase& c = GetParam();
    std::vector<std::string> entries;
    for (size_t length : c.lengths)
        entries.emplace_back(length, 'x');
    std::string out;
    ASSERT_TRUE(buildDataBlock(entries, out).ok());
    EXPECT_EQ(out[12], c.offsetWidth);
    EXPECT_EQ(out[13], c.lengthWidth);
    DataBlockReader reader;
    ASSERT_EQ(reader.openBytes(out), DataBlockOpen::kOpened);
    EXPECT_EQ(reader.readEntry(static_cast<int32_t>(entries.size())), entries.back());
}

// With two 1/1 records the texts start at position 19, so a first entry of 236 bytes puts the
// second at 255, the last position a byte holds. Width 2 is signed: 32767 at most.
INSTANTIATE_TEST_SUITE_P(Boundaries, DataBlockAutoWidthTest,
                         ::testing::Values(WidthCase{{236, 1}, 1, 1}, WidthCase{{237, 1}, 2, 1},
                                           WidthCase{{255}, 1, 1}, WidthCase{{256}, 1, 2},
                                           WidthCase{{32767}, 1, 2}, WidthCase{{32768}, 1, 4},
                                           WidthCase{{32767, 1}, 4, 2}));

TEST(DataBlockWriter, RefusesWhatItCannotStoreAndLeavesTheOutputAlone) {
    std::string out = "untouched";
    DataBlockWriteResult r = buildDataBlock({"jó", "õ"}, out);
    EXPECT_EQ(r.code, DataBlockWriteCode::kNotCp1250);
    EXPECT_EQ(r.entry, 1u);
    EXPECT_EQ(buildDataBlock({"a"}, out, {3, 1}).code, DataBlockWriteCode::kBadWidth);
    r = buildDataBlock({"a", std::string(256, 'x')}, out, {0, 1});
    EXPECT_EQ(r.code, DataBlockWriteCode::kWidthTooSmall);
    EXPECT_EQ(r.entry, 1u);
    EXPECT_EQ(buildDataBlock({std::string(300, 'x'), "a"}, out, {1, 0}).code,
              DataBlockWriteCode::kWidthTooSmall);
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(writeDataBlockFile("/nonexistent-folder/w.dat", {"a"}).code,
              DataBlockWriteCode::kWriteFailed);
}

}  // namespace
}  // namespace tv
