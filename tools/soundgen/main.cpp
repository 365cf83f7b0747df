// Writes the alarm sounds into the program's sounds folder. The settings window lists every
// .wav there by name, and "Bugle Call - Reveille.wav" is the default alarm.
//
//   tv_soundgen --out <folder>
//
// Every file is read back and checked, so a failed write fails the build.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "synth.h"
#include "wav.h"

namespace {

struct Sound {
    const char* file;
    std::vector<float> (*make)();
};

const Sound kSounds[] = {
    {"Bugle Call - Reveille.wav", soundgen::reveille},
    {"Chimes.wav", soundgen::chimes},
    {"Church Bell.wav", soundgen::churchBell},
    {"Soft Beeps.wav", soundgen::softBeeps},
    {"Marimba.wav", soundgen::marimba},
    {"Music Box.wav", soundgen::musicBox},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != "--out") {
        std::fprintf(stderr, "usage: tv_soundgen --out <folder>\n");
        return 2;
    }
    const std::filesystem::path dir(argv[2]);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "soundgen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
        return 1;
    }
    int failures = 0;
    for (const Sound& s : kSounds) {
        const std::string path = (dir / s.file).string();
        const std::vector<float> samples = s.make();
        soundgen::WavInfo info;
        if (!soundgen::writeWav(path, samples, soundgen::kSampleRate) ||
            !soundgen::readWavInfo(path, info) || info.frames != samples.size() ||
            info.sampleRate != soundgen::kSampleRate || info.peak < 1000) {
            std::fprintf(stderr, "soundgen: %s was not written correctly\n", path.c_str());
            ++failures;
            continue;
        }
        std::printf("soundgen: %s, %.1f s\n", s.file,
                    static_cast<double>(info.frames) / soundgen::kSampleRate);
    }
    return failures == 0 ? 0 : 1;
}
