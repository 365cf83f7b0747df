// The calendar's main window: frameless, the skin's size, moved by its title strip.
#pragma once

#include <QWidget>

namespace tv {

class FrmMain : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 648;
    static constexpr int kDefaultHeight = 564;
    static constexpr int kTitleBarHeight = 25;

    explicit FrmMain(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint dragOffset_;
    bool dragging_ = false;
};

}  // namespace tv
