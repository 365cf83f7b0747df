// A program version as major.minor.revision, compared part by part.
#pragma once

#include <compare>
#include <string>

#include "core/app/version.h"

namespace tv {

struct VersionNumber {
    int major = 0;
    int minor = 0;
    int revision = 0;

    static constexpr VersionNumber running() {
        return {kVersionMajor, kVersionMinor, kVersionRevision};
    }
    // "major.minor.revision"
    std::string text() const {
        return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
    }
    // Major, then minor, then revision.
    friend constexpr auto operator<=>(const VersionNumber&, const VersionNumber&) = default;
};

}  // namespace tv
