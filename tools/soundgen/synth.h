// The alarm sounds, synthesised from scratch: a bugle for the reveille, bells, chimes, a
// marimba, a music box and soft beeps. Each function returns mono samples in [-1, 1].
#pragma once

#include <vector>

namespace soundgen {

constexpr int kSampleRate = 44100;

std::vector<float> reveille();
std::vector<float> chimes();
std::vector<float> churchBell();
std::vector<float> softBeeps();
std::vector<float> marimba();
std::vector<float> musicBox();

}  // namespace soundgen
