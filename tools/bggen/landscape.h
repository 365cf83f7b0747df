// One seasonal background, painted from its number alone.
#pragma once

#include <QImage>

namespace bggen {

// number: 1001..1100 spring, 2001..2100 summer, 3001..3100 autumn, 4001..4100 winter.
QImage renderBackground(int number, int width, int height);

}  // namespace bggen
