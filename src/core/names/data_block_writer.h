// Writer of data block files ("DATA_QZS"), the format DataBlockReader reads. The calendar
// itself never writes them; the build's packers and the tests do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tv {

// Biased big-endian integers: value + 32768 (16 bits) or value + 2^31 (32 bits), high byte first.
std::string encodeInt16(int16_t value);
std::string encodeInt32(int32_t value);

enum class DataBlockWriteCode {
    kOk,
    kNotCp1250,      // an entry holds a character Windows-1250 cannot hold, or broken UTF-8
    kBadWidth,       // a requested width other than 0 (choose), 1, 2 or 4
    kWidthTooSmall,  // a requested width cannot hold a position or length
    kTooLarge,       // the file would not be addressable with 32-bit positions
    kWriteFailed,
};

struct DataBlockWriteResult {
    DataBlockWriteCode code = DataBlockWriteCode::kOk;
    size_t entry = 0;  // 0-based entry that caused kNotCp1250 or kWidthTooSmall
    bool ok() const { return code == DataBlockWriteCode::kOk; }
};

// Field widths of the index records; 0 picks the narrowest width that holds every value.
struct DataBlockWidths {
    uint8_t offset = 0;
    uint8_t length = 0;
};

// Builds the file from UTF-8 entries (stored in Windows-1250, entry 1 first). `out` is only
// changed on success.
DataBlockWriteResult buildDataBlock(const std::vector<std::string>& entries, std::string& out,
                                    DataBlockWidths widths = {});

// Builds the file and saves it through a temporary file, so a failed write keeps the old one.
DataBlockWriteResult writeDataBlockFile(const std::string& path,
                                        const std::vector<std::string>& entries,
                                        DataBlockWidths widths = {});

}  // namespace tv
