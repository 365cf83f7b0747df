#include "gui/frm_main.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace tv {

FrmMain::FrmMain(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint | Qt::Window) {
    setFixedSize(kDefaultWidth, kDefaultHeight);
    setWindowTitle(QStringLiteral("Tempovirens"));
}

void FrmMain::paintEvent(QPaintEvent*) {
    // Until a skin is drawn: a plain page with its title strip, so the window is visible.
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0xE8, 0xEA, 0xEE));
    g.setColorAt(1, QColor(0xB8, 0xBD, 0xC6));
    p.fillRect(rect(), g);
    p.fillRect(QRect(0, 0, width(), kTitleBarHeight), QColor(0x5A, 0x62, 0x70));
}

void FrmMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmMain::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->position().y() >= kTitleBarHeight) return;
    // Where the platform moves windows itself (Wayland), let it.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void FrmMain::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
    } else {
        dragging_ = false;
    }
}

}  // namespace tv
