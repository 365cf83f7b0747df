// The calendar's main window: frameless, the skin's size and outline, showing the composed main
// buffer with the skin's twelve image buttons over it. Every input goes to the core's rules
// through the CalendarApp; the window only translates toolkit events.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "core/render/skin.h"

class QTimer;

namespace tv {

class CalendarApp;
class PongGame;

// One skin button: paints its part of the button sheet. Qt delivers the release to the pressed
// widget even outside it, which is what the button logic expects.
class SkinButton : public QWidget {
    Q_OBJECT
public:
    SkinButton(CalendarApp& app, int index, QWidget* parent);
    int index() const { return index_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CalendarApp& app_;
    int index_;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 648;
    static constexpr int kDefaultHeight = 564;

    explicit MainWindow(CalendarApp& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Size, outline, opacity and buttons from the skin; then the frame.
    void applySkin();
    void updateButtons();
    void paintButton(int index);
    SkinButton* button(int index) const { return buttons_[static_cast<size_t>(index)]; }

    void startGame();
    void endGame();
    bool gameRunning() const;

    // The desktop's key code for a toolkit key, and the shift bits; -1 for keys the calendar
    // does not know.
    static int virtualKey(int qtKey);
    static int shiftState(Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    CalendarApp& app_;
    std::array<SkinButton*, kButtonCount> buttons_{};
    std::unique_ptr<PongGame> pong_;
    QTimer* pongTimer_ = nullptr;  // pongTimer
    QPoint pressPos_;
    bool moved_ = false;
};

}  // namespace tv
