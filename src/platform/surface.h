// A drawing surface: an off-screen picture with a current font, colour and text state.
// The operations arrive with the renderer; until then only measuring is needed.
#pragma once

#include "platform/text_measurer.h"

namespace tv {

class Surface : public TextMeasurer {
public:
    virtual int width() const = 0;
    virtual int height() const = 0;
};

}  // namespace tv
