// A stand-in for the calendar's own screen composition, good enough to judge a skin by eye:
// it lays sample texts, a picture, the grid and the buttons out where theme.cfg puts them.
// Used for each skin's preview image and for the contact sheet.
#pragma once

#include "theme_source.h"

#include <QImage>

#include <map>
#include <string>

namespace tv::art {

enum class MockPage { kMain, kMonth, kNextMonth, kAlarm };

// `files` are the skin's images by file name, `icon16` the program's small icon.
QImage mockScreen(const ThemeSource& t, const std::map<std::string, QImage>& files,
                  const QImage& icon16, MockPage page, const QImage& picture);

}  // namespace tv::art
