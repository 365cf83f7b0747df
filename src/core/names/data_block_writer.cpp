#include "core/names/data_block_writer.h"

#include <algorithm>
#include <limits>

#include "core/calc/files.h"
#include "core/config/binary_io.h"
#include "core/config/cp1250.h"
#include "core/names/data_block_reader.h"

namespace tv {
namespace {

constexpr int64_t kMaxInt32 = std::numeric_limits<int32_t>::max();
constexpr uint8_t kWidths[] = {1, 2, 4};

bool validWidth(uint8_t w) {
    return w == 0 || w == 1 || w == 2 || w == 4;
}

// Largest value a field of the width holds; width 1 is an unbiased byte, the others are signed.
int64_t maxFor(uint8_t width) {
    switch (width) {
        case 1:
            return 255;
        case 2:
            return std::numeric_limits<int16_t>::max();
        default:
            return kMaxInt32;
    }
}

uint8_t narrowestFor(int64_t value) {
    for (uint8_t w : kWidths) {
        if (value <= maxFor(w)) return w;
    }
    return 0;
}

std::string encodeField(int64_t value, uint8_t width) {
    switch (width) {
        case 1:
            return std::string(1, static_cast<char>(value));
        case 2:
            return encodeInt16(static_cast<int16_t>(value));
        default:
            return encodeInt32(static_cast<int32_t>(value));
    }
}

}  // namespace

std::string encodeInt16(int16_t value) {
    ByteWriter w;
    w.int16(value);
    return w.take();
}

std::string encodeInt32(int32_t value) {
    ByteWriter w;
    w.int32(value);
    return w.take();
}

DataBlockWriteResult buildDataBlock(const std::vector<std::string>& entries, std::string& out,
                                    DataBlockWidths widths) {
    if (!validWidth(widths.offset) || !validWidth(widths.length)) {
        return {DataBlockWriteCode::kBadWidth, 0};
    }
    if (static_cast<int64_t>(entries.size()) > kMaxInt32) return {DataBlockWriteCode::kTooLarge, 0};

    std::vector<std::string> texts;
    texts.reserve(entries.size());
    int64_t total = 0;
    int64_t longest = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!isValidUtf8(entries[i]) || !fitsCp1250(entries[i])) {
            return {DataBlockWriteCode::kNotCp1250, i};
        }
        texts.push_back(utf8ToCp1250(entries[i]));
        total += static_cast<int64_t>(texts.back().size());
        longest = std::max(longest, static_cast<int64_t>(texts.back().size()));
    }

    const int64_t count = static_cast<int64_t>(texts.size());
    const int64_t lastLength = texts.empty() ? 0 : static_cast<int64_t>(texts.back().size());
    // 1-based position of the last text, the largest any record holds.
    auto lastPosition = [&](uint8_t offsetWidth, uint8_t lengthWidth) {
        return int64_t{14} + count * (offsetWidth + lengthWidth) + total - lastLength + 1;
    };

    uint8_t lengthWidth = widths.length != 0 ? widths.length : narrowestFor(longest);
    if (lengthWidth == 0) return {DataBlockWriteCode::kTooLarge, 0};
    uint8_t offsetWidth = widths.offset;
    if (offsetWidth == 0) {
        for (uint8_t w : kWidths) {
            if (lastPosition(w, lengthWidth) <= maxFor(w)) {
                offsetWidth = w;
                break;
            }
        }
        if (offsetWidth == 0) return {DataBlockWriteCode::kTooLarge, 0};
    }

    std::string file(DataBlockReader::kMagic);
    file += encodeInt32(static_cast<int32_t>(count));
    file += static_cast<char>(offsetWidth);
    file += static_cast<char>(lengthWidth);
    int64_t position = int64_t{14} + count * (offsetWidth + lengthWidth) + 1;
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto length = static_cast<int64_t>(texts[i].size());
        const bool positionFits = position <= maxFor(offsetWidth);
        const bool lengthFits = length <= maxFor(lengthWidth);
        if (!positionFits || !lengthFits) {
            // Past the widest field only a smaller file helps; otherwise a wider field would.
            const bool widest =
                (!positionFits && offsetWidth == 4) || (!lengthFits && lengthWidth == 4);
            return {widest ? DataBlockWriteCode::kTooLarge : DataBlockWriteCode::kWidthTooSmall, i};
        }
        file += encodeField(position, offsetWidth);
        file += encodeField(length, lengthWidth);
        position += length;
    }
    for (const std::string& text : texts)
        file += text;
    out = std::move(file);
    return {};
}

DataBlockWriteResult writeDataBlockFile(const std::string& path,
                                        const std::vector<std::string>& entries,
                                        DataBlockWidths widths) {
    std::string bytes;
    DataBlockWriteResult result = buildDataBlock(entries, bytes, widths);
    if (!result.ok()) return result;
    if (!saveFileAtomic(path, bytes)) return {DataBlockWriteCode::kWriteFailed, 0};
    return result;
}

}  // namespace tv
