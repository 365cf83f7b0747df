// 16-bit PCM mono WAV files: writing, and reading back the header to check what was written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

// Converts samples in [-1, 1] (clipped) and writes them; false when the file cannot be written.
bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate);

struct WavInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    uint32_t frames = 0;
    int peak = 0;  // largest absolute sample value
};

// Parses a PCM WAV file; every chunk length is checked against the file. False on anything
// malformed or truncated.
bool readWavInfo(const std::string& path, WavInfo& info);

}  // namespace soundgen
