#include "gui/main_window.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "core/app/app_state.h"
#include "core/app/version.h"
#include "core/ui/keys.h"
#include "core/ui/mouse.h"
#include "gui/app/calendar_app.h"
#include "gui/pong_game.h"
#include "platform/qt/qt_surface.h"

namespace tv {
namespace {

constexpr int kPongIntervalMs = 33;

const QImage* imageOf(const Surface& s) {
    if (s.empty()) return nullptr;
    return &static_cast<const QtSurface&>(s).image();
}

int mouseButtonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return kMouseLeft;
        case Qt::RightButton:
            return kMouseRight;
        case Qt::MiddleButton:
            return kMouseMiddle;
        default:
            return 0;
    }
}

}  // namespace

SkinButton::SkinButton(CalendarApp& app, int index, QWidget* parent)
    : QWidget(parent), app_(app), index_(index) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void SkinButton::paintEvent(QPaintEvent*) {
    const Skin& skin = app_.canvas().skin;
    const ButtonState& b = skin.buttons[static_cast<size_t>(index_)];
    const QImage* sheet = imageOf(skin.image(kImgButtons));
    if (sheet == nullptr) return;
    Skin& editable = app_.canvas().skin;
    Rect src;
    const int look = b.look;
    if (!setButtonImage(editable, index_, look, src)) return;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), *sheet, QRect(src.x, src.y, src.w, src.h));
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    app_.perform(buttonMouseDown(app_.ui(), index_));
}

void SkinButton::mouseMoveEvent(QMouseEvent*) {
    app_.perform(buttonMouseMove(app_.ui(), index_));
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    // The window may be gone once the command ran (the close button).
    QPointer<SkinButton> self(this);
    app_.perform(buttonMouseUp(app_.ui(), index_, mouseButtonOf(event->button()), inside,
                               app_.state().settings));
    if (self) update();
}

void SkinButton::keyPressEvent(QKeyEvent* event) {
    // Keys typed while a button has the focus count as the window's.
    if (parentWidget() != nullptr) QCoreApplication::sendEvent(parentWidget(), event);
}

MainWindow::MainWindow(CalendarApp& app, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Window), app_(app) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(
        QString::fromUtf8(kProgramName.data(), static_cast<qsizetype>(kProgramName.size())));
    setFixedSize(kDefaultWidth, kDefaultHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[static_cast<size_t>(i)] = new SkinButton(app_, i, this);
        buttons_[static_cast<size_t>(i)]->hide();
    }
    pongTimer_ = new QTimer(this);
    pongTimer_->setInterval(kPongIntervalMs);
    connect(pongTimer_, &QTimer::timeout, this, [this] {
        if (!pong_) return;
        pong_->setPlayerY(mapFromGlobal(QCursor::pos()).y());
        pong_->step();
        update();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::applySkin() {
    const Skin& skin = app_.canvas().skin;
    const WindowRequest& w = skin.window;
    if (w.width > 0 && w.height > 0) setFixedSize(w.width, w.height);

    // The outline: a rounded shape and the colour-keyed pixels are cut out of the window.
    const QImage* frame = skin.mainBuffer ? imageOf(*skin.mainBuffer) : nullptr;
    if (frame != nullptr && (w.shaped || w.colourKeyed)) {
        const QImage shaped = shapedWindowImage(*frame, w);
        setMask(QBitmap::fromImage(shaped.createAlphaMask()));
    } else {
        clearMask();
    }
    setWindowOpacity(w.hasOpacity ? w.opacity / 255.0 : 1.0);
    updateButtons();
}

void MainWindow::updateButtons() {
    const Skin& skin = app_.canvas().skin;
    const bool game = gameRunning();
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonState& b = skin.buttons[static_cast<size_t>(i)];
        SkinButton* w = buttons_[static_cast<size_t>(i)];
        const bool show = !game && b.created && b.visible && b.w > 0 && b.h > 0;
        if (show) {
            w->setGeometry(b.x, b.y, b.w, b.h);
            QString tip = QString::fromStdString(b.tooltip);
            if (w->toolTip() != tip) w->setToolTip(tip);
        }
        w->setVisible(show);
        if (show) w->update();
    }
}

void MainWindow::paintButton(int index) {
    if (index >= 0 && index < kButtonCount) buttons_[static_cast<size_t>(index)]->update();
}

void MainWindow::startGame() {
    pong_ = std::make_unique<PongGame>(width(), height());
    pongTimer_->start();
    updateButtons();
    update();
}

void MainWindow::endGame() {
    pongTimer_->stop();
    pong_.reset();
    updateButtons();
    update();
}

bool MainWindow::gameRunning() const {
    return pong_ != nullptr;
}

int MainWindow::virtualKey(int k) {
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return k;
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kKeyEnter;
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Space:
            return kKeySpace;
        case Qt::Key_PageUp:
            return kKeyPageUp;
        case Qt::Key_PageDown:
            return kKeyPageDown;
        case Qt::Key_Home:
            return kKeyHome;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Up:
            return kKeyUp;
        case Qt::Key_Right:
            return kKeyRight;
        case Qt::Key_Down:
            return kKeyDown;
        case Qt::Key_F1:
            return kKeyF1;
        case Qt::Key_F4:
            return kKeyF4;
        default:
            return -1;
    }
}

int MainWindow::shiftState(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= kShift;
    if (m & Qt::ControlModifier) s |= kCtrl;
    if (m & Qt::AltModifier) s |= kAlt;
    return s;
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const Surface* frame = app_.frame();
    const QImage* image = frame != nullptr ? imageOf(*frame) : nullptr;
    if (image != nullptr) {
        p.drawImage(QPoint(0, 0), *image);
    } else {
        p.fillRect(rect(), QColor(0xC0, 0xC4, 0xCC));
    }
    if (!pong_) return;

    // The game over a darkened page.
    p.fillRect(rect(), QColor(0, 0, 0, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(PongGame::kMargin, pong_->playerY(), PongGame::kPaddleWidth,
               PongGame::kPaddleHeight);
    p.drawRect(width() - PongGame::kMargin - PongGame::kPaddleWidth, pong_->computerY(),
               PongGame::kPaddleWidth, PongGame::kPaddleHeight);
    p.drawEllipse(pong_->ballX(), pong_->ballY(), PongGame::kBall, PongGame::kBall);
    p.setPen(QColor(255, 255, 255, 160));
    for (int y = 0; y < height(); y += 16)
        p.drawLine(width() / 2, y, width() / 2, y + 8);
    QFont f = font();
    f.setPixelSize(28);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 12, width() / 2 - 20, 40), Qt::AlignRight,
               QString::number(pong_->playerScore()));
    p.drawText(QRect(width() / 2 + 20, 12, width() / 2, 40), Qt::AlignLeft,
               QString::number(pong_->computerScore()));
    f.setPixelSize(12);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, height() - 24, width(), 20), Qt::AlignCenter, QStringLiteral("Esc"));
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = virtualKey(event->key());
    if (key < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    app_.keyDown(key, shiftState(event->modifiers()));
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    pressPos_ = event->position().toPoint();
    moved_ = false;
    if (pong_) return;
    app_.perform(areaMouseDown(app_.ui(), app_.geometry(), mouseButtonOf(event->button()),
                               pressPos_.x(), pressPos_.y()));
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if ((pos - pressPos_).manhattanLength() > 3) moved_ = true;
    if (pong_) return;
    const MonthEvents& month = app_.month();
    const Surface* measurer = app_.canvas().skin.mainBuffer.get();
    app_.perform(areaMouseMove(app_.ui(), app_.geometry(), pos.x(), pos.y(), &month,
                               &app_.state().events, measurer));
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (pong_) return;
    const QPoint pos = event->position().toPoint();
    const int button = mouseButtonOf(event->button());
    QPointer<MainWindow> self(this);
    app_.perform(areaMouseUp(app_.ui(), app_.geometry(), button, pos.x(), pos.y(), app_.month()));
    if (self && button == kMouseLeft && !moved_)
        app_.perform(areaClick(app_.ui(), app_.geometry(), pos.x(), pos.y()));
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (pong_ || event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    app_.perform(areaDoubleClick(app_.ui(), app_.geometry(), pos.x(), pos.y()));
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy == 0 || pong_) return;
    app_.perform(mouseWheel(app_.ui(), dy > 0, (event->modifiers() & Qt::ControlModifier) != 0,
                            app_.state().settings));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A close from the desktop (window menu, Alt+F4 by the window manager) is the close command,
    // so the unload saves and the tray may keep the process.
    event->ignore();
    app_.command(CommandCode::kClose);
}

void MainWindow::changeEvent(QEvent* event) {
    // The calendar is never minimised.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~Qt::WindowMinimized); });
    }
    QWidget::changeEvent(event);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        QTimer::singleShot(0, &app_, [app = &app_] { firstActivation(app->context()); });
    }
    return QWidget::event(event);
}

}  // namespace tv
