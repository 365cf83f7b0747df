// Ground and foliage colours of each season, as albedo before light and haze.
#pragma once

#include <vector>

#include "color.h"
#include "scene.h"

namespace bggen {

struct Palette {
    Rgb grass;                // meadows and pasture
    Rgb grassDry;             // their sunburnt or faded patches
    Rgb forest;               // woods seen from afar
    std::vector<Rgb> leaves;  // crowns of broadleaf trees; autumn mixes several
    Rgb conifer;
    Rgb trunk;
    Rgb rock;
    Rgb soil;
    std::vector<Rgb> crops;  // field colours, picked per field
    Rgb blossom;             // spring orchards
    Rgb snow;
};

const Palette& palette(Season season);

}  // namespace bggen
