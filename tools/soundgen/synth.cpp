#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace soundgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = static_cast<double>(kSampleRate);

// Equal-tempered pitch of a MIDI note number.
double hz(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

size_t frames(double seconds) {
    return static_cast<size_t>(std::max(0.0, seconds) * kRate);
}

// A fixed noise stream: the same sound on every build.
class Noise {
public:
    float next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<float>(static_cast<double>(state_ >> 40) / 8388608.0 - 1.0);
    }

private:
    uint64_t state_ = 0x5EED;
};

void mixInto(std::vector<float>& out, const std::vector<float>& in, double at, float gain = 1.0f) {
    const size_t start = frames(at);
    if (out.size() < start + in.size()) out.resize(start + in.size(), 0.0f);
    for (size_t i = 0; i < in.size(); ++i)
        out[start + i] += in[i] * gain;
}

// Small room: four feedback combs into two all-passes (the classic Schroeder design), so the
// notes do not stop dead as they would in free air.
void addRoom(std::vector<float>& s, float wet, double tail) {
    s.resize(s.size() + frames(tail), 0.0f);
    const size_t combLen[4] = {1557, 1617, 1491, 1422};
    const float combFb[4] = {0.80f, 0.79f, 0.81f, 0.78f};
    std::vector<float> sum(s.size(), 0.0f);
    for (int c = 0; c < 4; ++c) {
        std::vector<float> buf(combLen[c], 0.0f);
        float lowpass = 0.0f;
        for (size_t i = 0; i < s.size(); ++i) {
            const size_t k = i % combLen[c];
            const float y = buf[k];
            lowpass = y * 0.6f + lowpass * 0.4f;  // walls soak up the highs
            buf[k] = s[i] + lowpass * combFb[c];
            sum[i] += y * 0.25f;
        }
    }
    const size_t apLen[2] = {225, 556};
    for (int a = 0; a < 2; ++a) {
        std::vector<float> buf(apLen[a], 0.0f);
        for (size_t i = 0; i < sum.size(); ++i) {
            const size_t k = i % apLen[a];
            const float b = buf[k];
            const float y = -sum[i] * 0.5f + b;
            buf[k] = sum[i] + b * 0.5f;
            sum[i] = y;
        }
    }
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = s[i] * (1.0f - wet * 0.5f) + sum[i] * wet;
}

void normalise(std::vector<float>& s, float peak) {
    float m = 0.0f;
    for (float v : s)
        m = std::max(m, std::fabs(v));
    if (m <= 0.0f) return;
    for (float& v : s)
        v *= peak / m;
}

// Fades the last milliseconds so a looped alarm never clicks at the seam.
void fadeEnds(std::vector<float>& s) {
    const size_t n = std::min(s.size() / 2, frames(0.01));
    for (size_t i = 0; i < n; ++i) {
        const float g = static_cast<float>(i) / static_cast<float>(n);
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
}

// One partial of a struck body: a sine that dies away exponentially.
void addPartial(std::vector<float>& out, double freq, double amp, double decay,
                double phase = 0.0) {
    if (freq >= kRate * 0.45) return;
    const double step = 2.0 * kPi * freq / kRate;
    const double fall = std::exp(-1.0 / (decay * kRate));
    double a = amp;
    for (size_t i = 0; i < out.size() && a > 1e-5; ++i) {
        out[i] += static_cast<float>(a * std::sin(phase + step * static_cast<double>(i)));
        a *= fall;
    }
}

// A bugle note: harmonics that grow brighter as the player blows harder, a lip that finds the
// pitch from slightly below, a breath at the start and a slow vibrato on long notes.
std::vector<float> bugleNote(double freq, double seconds, Noise& noise) {
    std::vector<float> out(frames(seconds + 0.06), 0.0f);
    const double attack = 0.035;
    const double release = 0.05;
    double phase = 0.0;
    float breath = 0.0f;
    float mellow = 0.0f;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double env;
        if (t < attack) {
            env = std::sin(0.5 * kPi * t / attack) * 1.12;
        } else if (t < attack + 0.05) {
            env = 1.12 - 0.12 * (t - attack) / 0.05;  // the attack's little overshoot settles
        } else {
            env = 1.0 - 0.1 * std::min(1.0, (t - attack) / std::max(seconds, 0.1));
        }
        if (t > seconds) env *= std::max(0.0, 1.0 - (t - seconds) / release);
        const double scoop = 1.0 - 0.018 * std::exp(-t / 0.02);
        const double vibrato = 1.0 + 0.0025 * std::sin(2.0 * kPi * 5.2 * t) *
                                         std::min(1.0, std::max(0.0, (t - 0.2) / 0.2));
        phase += 2.0 * kPi * freq * scoop * vibrato / kRate;
        const double bright = std::pow(std::max(env, 0.0), 0.7);
        double v = 0.0;
        for (int k = 1; k <= 14; ++k) {
            if (freq * k > kRate * 0.45) break;
            const double amp =
                std::pow(static_cast<double>(k), -0.85) * std::pow(bright, 0.75 * (k - 1));
            v += amp * std::sin(phase * k);
        }
        breath = breath * 0.7f + noise.next() * 0.3f;
        const double puff = t < 0.05 ? 0.12 * (1.0 - t / 0.05) : 0.012;
        v = v * env * 0.5 + breath * puff * env;
        // Driven a little into saturation for the brassy edge, then rounded off above ~7 kHz as
        // the horn's bell does.
        const auto edged = static_cast<float>(std::tanh(1.15 * v));
        mellow += 0.63f * (edged - mellow);
        out[i] = mellow;
    }
    return out;
}

struct Note {
    int midi;   // 0 = rest
    int steps;  // in sixteenths
};

}  // namespace

std::vector<float> reveille() {
    // The bugle's natural notes, written as on a bugle in G: G4, C5, E5, G5.
    constexpr int kG4 = 67;
    constexpr int kC5 = 72;
    constexpr int kE5 = 76;
    constexpr int kG5 = 79;
    static const Note kCall[] = {
        {kG4, 2},
        // First strain: the "I can't get 'em up" figure, three times, then its close.
        {kC5, 2},
        {kE5, 1},
        {kC5, 1},
        {kG4, 2},
        {kG4, 2},
        {kC5, 2},
        {kE5, 1},
        {kC5, 1},
        {kG4, 2},
        {kG4, 2},
        {kC5, 2},
        {kE5, 1},
        {kC5, 1},
        {kG4, 2},
        {kE5, 1},
        {kC5, 1},
        {kE5, 4},
        {kC5, 2},
        {kG4, 2},
        {kC5, 2},
        {kE5, 1},
        {kC5, 1},
        {kG4, 2},
        {kG4, 2},
        {kC5, 2},
        {kE5, 1},
        {kC5, 1},
        {kG4, 2},
        {kG4, 2},
        {kC5, 2},
        {kE5, 1},
        {kC5, 1},
        {kG4, 2},
        {kG4, 2},
        {kC5, 6},
        {kE5, 2},
        // Second strain: up to the top note and back down to the tonic.
        {kG5, 2},
        {kG5, 1},
        {kG5, 1},
        {kG5, 2},
        {kE5, 2},
        {kC5, 2},
        {kE5, 1},
        {kE5, 1},
        {kE5, 2},
        {kC5, 2},
        {kG5, 2},
        {kG5, 1},
        {kG5, 1},
        {kG5, 2},
        {kE5, 2},
        {kC5, 4},
        {0, 2},
        {kE5, 2},
        {kG5, 2},
        {kG5, 1},
        {kG5, 1},
        {kG5, 2},
        {kE5, 2},
        {kC5, 2},
        {kE5, 1},
        {kE5, 1},
        {kE5, 2},
        {kC5, 2},
        {kG4, 2},
        {kC5, 2},
        {kE5, 2},
        {kG4, 2},
        {kC5, 8},
    };
    const double step = 0.115;  // a sixteenth: a brisk, wake-up tempo
    Noise noise;
    std::vector<float> out;
    double t = 0.05;
    for (const Note& n : kCall) {
        const double len = n.steps * step;
        if (n.midi != 0) {
            // Tongued: each note is cut a little short of the next.
            const double held = n.steps >= 6 ? len * 0.9 : len - 0.028;
            mixInto(out, bugleNote(hz(n.midi), held, noise), t);
        }
        t += len;
    }
    addRoom(out, 0.22f, 0.9);
    normalise(out, 0.89f);
    fadeEnds(out);
    return out;
}

std::vector<float> chimes() {
    // Tubular chimes: the partials of a free bar, not of a string, give the metallic ring.
    static const double kRatio[] = {1.0, 2.76, 5.40, 8.93};
    static const double kAmp[] = {1.0, 0.5, 0.26, 0.12};
    static const double kDecay[] = {2.4, 1.3, 0.7, 0.35};
    static const int kNotes[] = {88, 84, 81, 79, 76, 79, 84};
    std::vector<float> out(frames(5.5), 0.0f);
    double t = 0.02;
    for (int note : kNotes) {
        std::vector<float> strike(frames(3.0), 0.0f);
        for (int p = 0; p < 4; ++p)
            addPartial(strike, hz(note - 12) * kRatio[p], kAmp[p], kDecay[p], p * 0.7);
        mixInto(out, strike, t, 0.5f);
        t += 0.38;
    }
    addRoom(out, 0.3f, 0.5);
    normalise(out, 0.89f);
    fadeEnds(out);
    return out;
}

std::vector<float> churchBell() {
    // A struck bell's partials: the hum note below the strike, the minor third that gives a
    // bell its voice, and the bright, quickly fading upper ones; two close partials beat.
    static const double kRatio[] = {0.5, 1.0, 1.003, 1.19, 1.5, 2.0, 2.52, 2.66, 3.0, 4.07};
    static const double kAmp[] = {0.7, 1.0, 0.6, 0.55, 0.35, 0.45, 0.25, 0.2, 0.15, 0.1};
    static const double kDecay[] = {2.2, 1.6, 1.6, 1.1, 0.8, 0.7, 0.45, 0.4, 0.3, 0.2};
    std::vector<float> out(frames(6.0), 0.0f);
    const double strikes[] = {0.02, 1.6, 3.2};
    const int notes[] = {64, 59, 64};
    for (int k = 0; k < 3; ++k) {
        std::vector<float> ring(frames(4.0), 0.0f);
        for (int p = 0; p < 10; ++p)
            addPartial(ring, hz(notes[k]) * kRatio[p], kAmp[p], kDecay[p], p);
        mixInto(out, ring, strikes[k], 0.4f);
    }
    addRoom(out, 0.35f, 0.6);
    normalise(out, 0.89f);
    fadeEnds(out);
    return out;
}

std::vector<float> softBeeps() {
    // Three short, round beeps, twice: attention without alarm.
    std::vector<float> out(frames(3.2), 0.0f);
    const double freq = hz(81);
    for (int group = 0; group < 2; ++group) {
        for (int b = 0; b < 3; ++b) {
            const double start = 0.05 + group * 1.4 + b * 0.22;
            const size_t s0 = frames(start);
            const size_t len = frames(0.13);
            for (size_t i = 0; i < len && s0 + i < out.size(); ++i) {
                const double t = static_cast<double>(i) / kRate;
                const double edge = 0.015;
                double env = 1.0;
                if (t < edge) env = std::sin(0.5 * kPi * t / edge);
                if (t > 0.13 - edge) env = std::sin(0.5 * kPi * (0.13 - t) / edge);
                const double v =
                    std::sin(2.0 * kPi * freq * t) + 0.12 * std::sin(4.0 * kPi * freq * t);
                out[s0 + i] += static_cast<float>(v * env * 0.5);
            }
        }
    }
    addRoom(out, 0.12f, 0.3);
    normalise(out, 0.8f);
    fadeEnds(out);
    return out;
}

std::vector<float> marimba() {
    // Wooden bars tuned so their overtones sit two octaves and a third up; the mallet's knock
    // is a short burst at the start.
    static const double kRatio[] = {1.0, 3.93, 9.54};
    static const double kAmp[] = {1.0, 0.32, 0.08};
    static const double kDecay[] = {0.55, 0.12, 0.035};
    static const int kTune[] = {72, 76, 79, 84, 79, 76, 81, 79, 76, 72, 74, 76, 72};
    static const double kLen[] = {1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 3};
    std::vector<float> out(frames(4.5), 0.0f);
    Noise noise;
    double t = 0.03;
    for (size_t n = 0; n < std::size(kTune); ++n) {
        std::vector<float> bar(frames(1.5), 0.0f);
        for (int p = 0; p < 3; ++p)
            addPartial(bar, hz(kTune[n]) * kRatio[p], kAmp[p], kDecay[p]);
        for (size_t i = 0; i < frames(0.006); ++i)
            bar[i] += noise.next() * 0.15f * (1.0f - static_cast<float>(i) / 265.0f);
        mixInto(out, bar, t, 0.6f);
        t += kLen[n] * 0.19;
    }
    addRoom(out, 0.2f, 0.4);
    normalise(out, 0.89f);
    fadeEnds(out);
    return out;
}

std::vector<float> musicBox() {
    // Plucked steel tines: a clear fundamental, a whisper of the octave and a high partial
    // that gives the tinkle, all ringing long.
    static const int kTune[] = {84, 88, 91, 96, 91, 88, 89, 93, 96, 93, 91, 88, 84};
    static const double kLen[] = {1, 1, 1, 2, 1, 1, 1, 1, 2, 1, 1, 1, 3};
    std::vector<float> out(frames(6.0), 0.0f);
    double t = 0.03;
    for (size_t n = 0; n < std::size(kTune); ++n) {
        std::vector<float> tine(frames(2.5), 0.0f);
        const double f = hz(kTune[n]);
        addPartial(tine, f, 1.0, 1.2);
        addPartial(tine, f * 2.0, 0.15, 0.5);
        addPartial(tine, f * 5.95, 0.12, 0.08);
        mixInto(out, tine, t, 0.45f);
        t += kLen[n] * 0.26;
    }
    addRoom(out, 0.28f, 0.6);
    normalise(out, 0.85f);
    fadeEnds(out);
    return out;
}

}  // namespace soundgen
