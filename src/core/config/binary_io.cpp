#include "core/config/binary_io.h"

#include "core/config/cp1250.h"

namespace tv {

bool ByteReader::take(size_t n) {
    if (truncated_ || n > remaining()) {
        truncated_ = true;
        pos_ = bytes_.size();
        return false;
    }
    return true;
}

uint8_t ByteReader::byte() {
    if (!take(1)) return 0;
    return static_cast<uint8_t>(bytes_[pos_++]);
}

int16_t ByteReader::int16() {
    if (!take(2)) return 0;
    auto hi = static_cast<uint8_t>(bytes_[pos_]);
    auto lo = static_cast<uint8_t>(bytes_[pos_ + 1]);
    pos_ += 2;
    return decodeInt16(hi, lo);
}

int32_t ByteReader::int32() {
    if (!take(4)) return 0;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<uint8_t>(bytes_[pos_ + i]);
    pos_ += 4;
    return static_cast<int32_t>(static_cast<int64_t>(v) - 2147483648LL);
}

std::string_view ByteReader::raw(size_t n) {
    if (truncated_) return {};
    if (n > remaining()) {
        std::string_view part = bytes_.substr(pos_);
        truncated_ = true;
        pos_ = bytes_.size();
        return part;
    }
    std::string_view part = bytes_.substr(pos_, n);
    pos_ += n;
    return part;
}

std::string ByteReader::text(size_t n) {
    return cp1250ToUtf8(raw(n));
}

std::string ByteReader::text16() {
    int16_t n = int16();
    if (n < 1) return {};
    return text(static_cast<size_t>(n));
}

std::string ByteReader::text8() {
    return text(byte());
}

void ByteWriter::int16(int v) {
    uint16_t e = encodeInt16(v);
    out_ += static_cast<char>(e >> 8);
    out_ += static_cast<char>(e & 0xFF);
}

void ByteWriter::int32(int64_t v) {
    auto e = static_cast<uint32_t>(v + 2147483648LL);
    for (int shift = 24; shift >= 0; shift -= 8)
        out_ += static_cast<char>((e >> shift) & 0xFF);
}

void ByteWriter::text16(std::string_view utf8) {
    std::string bytes = utf8ToCp1250(utf8);
    if (bytes.size() > 32767) bytes.resize(32767);
    int16(static_cast<int>(bytes.size()));
    out_ += bytes;
}

void ByteWriter::text8(std::string_view utf8) {
    std::string bytes = utf8ToCp1250(utf8);
    if (bytes.size() > 255) bytes.resize(255);
    byte(static_cast<uint8_t>(bytes.size()));
    out_ += bytes;
}

}  // namespace tv
