// Fitting text into a width: cutting with an overflow mark, shortening a path, and word
// wrapping. Widths are pixels; the measurer answers in twips (15 per pixel). Text is UTF-8 and is
// only ever cut between characters.
#pragma once

#include <string>
#include <string_view>

#include "core/ports/text_measurer.h"

namespace tv {

// The text when it fits; otherwise the longest start of it that fits together with the mark,
// with blanks trimmed, followed by the mark; the mark alone when not even one character fits.
std::string fitSurfaceText(const TextMeasurer& measurer, std::string_view text, int widthPx,
                           std::string_view overflowMark = "...");

// The path when it fits; otherwise folders are dropped from its end, "/a/b/c/f.jpg" becoming
// "/a/b/.../f.jpg", then "/a/.../f.jpg", until it fits. When even the first folder has gone,
// the file name alone, cut to the width. Both "/" and "\" separate folders. The width is in
// pixels, as for fitSurfaceText.
std::string shortenPath(const TextMeasurer& measurer, std::string_view path, int widthPx);

// Word wrap: each line starts with `indent` blanks and is at most the width. Lines break at
// their last blank (which is dropped), or before the first character that does not fit when
// there is no blank; existing line breaks stay. Lines are joined with CR LF.
std::string wrapSurfaceText(const TextMeasurer& measurer, std::string_view text, int widthPx,
                            int indent);

}  // namespace tv
