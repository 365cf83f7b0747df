#include "core/names/data_block_reader.h"

#include <optional>

#include "core/calc/bounded_file.h"
#include "core/calc/files.h"
#include "core/config/binary_io.h"
#include "core/config/cp1250.h"

namespace tv {
namespace {

// An index field by its width; nullopt for a width the format does not have.
std::optional<int32_t> decodeField(std::string_view bytes) {
    switch (bytes.size()) {
        case 1:
            return static_cast<unsigned char>(bytes[0]);  // 0..255, no bias
        case 2:
            return decodeInt16(bytes);
        case 4:
            return decodeInt32(bytes);
        default:
            return std::nullopt;
    }
}

std::string trimmed(std::string_view s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(b, e - b + 1));
}

}  // namespace

// The biased encodings are the ones every binary file of the calendar uses.
int16_t decodeInt16(std::string_view bytes) {
    return bytes.size() == 2 ? ByteReader(bytes).int16() : int16_t{0};
}

int32_t decodeInt32(std::string_view bytes) {
    return bytes.size() == 4 ? ByteReader(bytes).int32() : 0;
}

DataBlockOpen DataBlockReader::openFile(std::string_view path) {
    const std::string p = normalizePath(trimmed(path));
    if (!fileExists(p)) return DataBlockOpen::kNoFile;
    if (isOpen_ && closeFile() != 0) return DataBlockOpen::kCloseFailed;

    if (!file_.openFile(p)) {
        closeFile();
        return DataBlockOpen::kNoFile;
    }
    fileName_ = p;
    return readHeader();
}

DataBlockOpen DataBlockReader::openBytes(std::string bytes) {
    closeFile();
    file_.openBytes(std::move(bytes));
    return readHeader();
}

DataBlockOpen DataBlockReader::readHeader() {
    const std::string header = file_.readAt(0, kHeaderSize);
    if (header.size() < kHeaderSize || std::string_view(header).substr(0, 8) != kMagic) {
        closeFile();
        return DataBlockOpen::kBadMagic;
    }
    entryCount_ = decodeInt32(std::string_view(header).substr(8, 4));
    offsetWidth_ = static_cast<uint8_t>(header[12]);
    lengthWidth_ = static_cast<uint8_t>(header[13]);
    isOpen_ = true;
    return DataBlockOpen::kOpened;
}

uint8_t DataBlockReader::closeFile() {
    file_.close();
    fileName_.clear();
    isOpen_ = false;
    entryCount_ = 0;
    offsetWidth_ = 0;
    lengthWidth_ = 0;
    return 0;
}

std::string DataBlockReader::readEntry(int32_t n) const {
    if (!isOpen_ || n < 1 || n > entryCount_) return {};

    const uint64_t recordSize = uint64_t{offsetWidth_} + lengthWidth_;
    const std::string record = file_.readAt(kHeaderSize + uint64_t(n - 1) * recordSize, recordSize);
    if (record.size() != recordSize) return {};  // the file ends inside the index
    const std::optional<int32_t> position =
        decodeField(std::string_view(record).substr(0, offsetWidth_));
    const std::optional<int32_t> length =
        decodeField(std::string_view(record).substr(offsetWidth_));
    if (!position || !length || *position < 1 || *length < 1) return {};

    return cp1250ToUtf8(file_.readAt(uint64_t(*position - 1), uint64_t(*length)));
}

}  // namespace tv
