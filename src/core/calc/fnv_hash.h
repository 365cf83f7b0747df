// FNV-1a: a small stable hash for names derived from text (event UIDs, cache entry names). It
// is the same on every machine and in every version, so what it named stays found.
#pragma once

#include <cstdint>
#include <string_view>

namespace tv {

inline constexpr uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ULL;

inline uint64_t fnv1a(std::string_view text, uint64_t hash = kFnvOffsetBasis) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

}  // namespace tv
