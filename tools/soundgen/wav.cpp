#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace soundgen {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

uint32_t get16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8);
}
uint32_t get32(const uint8_t* p) {
    return get16(p) | (get16(p + 2) << 16);
}

}  // namespace

bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate) {
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<uint32_t>(sampleRate));
    put32(out, static_cast<uint32_t>(sampleRate) * 2);
    put16(out, 2);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (float s : samples) {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put16(out, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(v))));
    }
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    f.close();
    return static_cast<bool>(f);
}

bool readWavInfo(const std::string& path, WavInfo& info) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)),
                                     std::istreambuf_iterator<char>());
    const size_t n = bytes.size();
    if (n < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return false;
    bool haveFormat = false;
    size_t pos = 12;
    while (pos + 8 <= n) {
        const uint8_t* chunk = bytes.data() + pos;
        const uint32_t len = get32(chunk + 4);
        if (len > n - pos - 8) return false;
        const uint8_t* body = chunk + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (len < 16 || get16(body) != 1) return false;
            info.channels = static_cast<int>(get16(body + 2));
            info.sampleRate = static_cast<int>(get32(body + 4));
            info.bitsPerSample = static_cast<int>(get16(body + 14));
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat || info.bitsPerSample != 16 || info.channels < 1) return false;
            const uint32_t frameBytes = 2u * static_cast<uint32_t>(info.channels);
            info.frames = len / frameBytes;
            info.peak = 0;
            for (uint32_t i = 0; i + 1 < len; i += 2) {
                const auto v = static_cast<int16_t>(get16(body + i));
                info.peak = std::max(info.peak, std::abs(static_cast<int>(v)));
            }
            return true;
        }
        pos += 8 + len + (len & 1u);
    }
    return false;
}

}  // namespace soundgen
