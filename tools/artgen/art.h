// The calendar's pictures and its icon.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <string>
#include <vector>

namespace tv::art {

// Size of the holiday pictures: larger than any skin's picture area, 4:3 like them.
inline constexpr int kPictureW = 800;
inline constexpr int kPictureH = 600;

// File stems of the holiday pictures (pictures/<stem>.jpg) and the welcome picture.
const std::vector<std::string>& pictureNames();
// Paints one of them; a null image for an unknown name.
QImage paintPicture(const std::string& name);

// The program icon: a calendar page with a green sprig ("tempus virens").
QImage paintIcon(int size);
// The same on any painter, in a 256 x 256 box. A vector painter gets no blurred shadow: it
// would be a picture inside the drawing.
void drawIcon(QPainter& p, int size, bool shadow);
// The sizes of the icon theme's folders (16x16 ... 256x256).
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The sprig alone, for watermarks; `leaf` and `stem` colours.
void drawSprig(QPainter& p, const QRectF& box, const QColor& leaf, const QColor& stem);

}  // namespace tv::art
