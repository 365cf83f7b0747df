// One font sample of the settings window: the style's lines over a picture-like ground, with
// the chosen shadow, clickable for the font and colour menu.
#pragma once

#include <QStringList>
#include <QWidget>

#include "core/settings/font_styles.h"

namespace tv {

class FontSample : public QWidget {
    Q_OBJECT
public:
    explicit FontSample(QWidget* parent = nullptr);
    void setSample(const FontStyle& style, const QStringList& lines, int shadowType);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void clicked(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QFont sampleFont() const;

    FontStyle style_;
    QStringList lines_;
    int shadowType_ = 0;
};

// 0x00BBGGRR to a QColor.
QColor colourFromRgbInt(int colour);

}  // namespace tv
