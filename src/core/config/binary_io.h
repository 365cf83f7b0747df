// Byte streams of the calendar's binary files: biased big-endian integers (a 16-bit field
// stores value + 32768, a 32-bit field value + 2^31, high byte first) and length-prefixed
// Windows-1250 texts.
//
// The reader never reads past the end: a read that does not fit sets the `truncated` flag,
// returns zero or an empty text, and every later read fails the same way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tv {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    uint8_t byte();
    int16_t int16();
    int32_t int32();
    // `n` raw bytes; fewer (and the flag) when the data ends first.
    std::string_view raw(size_t n);
    // A text of `n` Windows-1250 bytes, as UTF-8.
    std::string text(size_t n);
    // A text preceded by its length as int16 (below 1: empty, no bytes follow).
    std::string text16();
    // A text preceded by its length as one byte.
    std::string text8();
    void skip(size_t n) { raw(n); }

    size_t position() const { return pos_; }
    size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }
    bool truncated() const { return truncated_; }

private:
    bool take(size_t n);
    std::string_view bytes_;
    size_t pos_ = 0;
    bool truncated_ = false;
};

class ByteWriter {
public:
    void byte(uint8_t v) { out_ += static_cast<char>(v); }
    void int16(int v);  // stored as v + 32768
    void int32(int64_t v);
    void raw(std::string_view bytes) { out_ += bytes; }
    // UTF-8 in, Windows-1250 out ("?" for what it cannot hold), length as int16; longer texts
    // are cut to 32767 bytes.
    void text16(std::string_view utf8);
    // Length as one byte; longer texts are cut to 255 bytes.
    void text8(std::string_view utf8);

    const std::string& bytes() const { return out_; }
    std::string take() { return std::move(out_); }
    void reserve(size_t n) { out_.reserve(n); }

private:
    std::string out_;
};

// The biased encodings on their own, for formats that lay out fields themselves.
inline uint16_t encodeInt16(int v) {
    return static_cast<uint16_t>(v + 32768);
}
inline int16_t decodeInt16(uint8_t hi, uint8_t lo) {
    return static_cast<int16_t>(((hi << 8) | lo) - 32768);
}

}  // namespace tv
