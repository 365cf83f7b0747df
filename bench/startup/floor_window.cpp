// The floor of the start-up figures: the least a Qt Widgets program of the calendar's size costs
// to put a window on the screen. One frameless 648 x 564 QWidget that paints a picture made in
// memory and three lines of text, with nothing else linked. The calendar's time to its window is
// reported as a multiple of this one's, measured in the same run.
#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int kWidth = 648;
constexpr int kHeight = 564;
constexpr int kPictureHeight = 400;

// A picture the size of the calendar's picture of the day, so the floor pays for one full
// composition too.
QImage makePicture() {
    QImage image(kWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0, QColor(0x2E, 0x5C, 0x8A));
    sky.setColorAt(1, QColor(0xE8, 0xB0, 0x5C));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3C, 0x50, 0x32));
    p.drawEllipse(QPoint(kWidth / 3, kPictureHeight + 120), kWidth / 2, 220);
    return image;
}

class FloorWindow : public QWidget {
public:
    FloorWindow() : picture_(makePicture()) {
        setWindowFlags(Qt::FramelessWindowHint);
        setFixedSize(kWidth, kHeight);
        setWindowTitle(QStringLiteral("startup floor"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xF4, 0xF1, 0xEA));
        p.drawImage(0, 0, picture_);
        QFont f = font();
        f.setPixelSize(22);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x20, 0x20, 0x20));
        p.drawText(QRect(0, kPictureHeight + 8, kWidth, 40), Qt::AlignCenter,
                   QStringLiteral("2025. december 6."));
        f.setPixelSize(14);
        f.setBold(false);
        p.setFont(f);
        p.drawText(QRect(0, kPictureHeight + 56, kWidth, 30), Qt::AlignCenter,
                   QStringLiteral("Szombat, 49. hét"));
        p.drawText(QRect(0, kPictureHeight + 90, kWidth, 30), Qt::AlignCenter,
                   QStringLiteral("Miklós"));
    }

private:
    QImage picture_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FloorWindow window;
    window.show();
    return QApplication::exec();
}
