#include "gui/windows/colour_picker_window.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/string_table.h"
#include "gui/windows/qt_text.h"

namespace tv {
namespace {

constexpr int kCellSize = 26;  // painted square inside the 30-pixel pitch
constexpr int kRows = 2;

}  // namespace

QColor colourOf(uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

ColourCells::ColourCells(ColourPicker& picker, const MonthTheme& theme, QWidget* parent)
    : QWidget(parent), picker_(picker), cells_(describeColourPicker(theme)) {
    setObjectName(QStringLiteral("imgColor"));
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
}

QSize ColourCells::sizeHint() const {
    return {kColourCellMargin * 2 + kColourCellPitch * kColourCellsPerRow,
            kColourCellMargin * 2 + kColourCellPitch * kRows};
}

QPoint ColourCells::cellCentre(int cell) const {
    const ColourCell& c = cells_[size_t(cell)];
    return {c.x + kCellSize / 2, c.y + kCellSize / 2};
}

void ColourCells::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const ColourCell& c : cells_) {
        const QRect r(c.x + 2, c.y + 2, kCellSize - 4, kCellSize - 4);
        p.fillRect(r, colourOf(c.colour));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    // The frame: a two-pixel ring in the text colour around the selected cell, dotted while
    // the cells have the keyboard focus.
    const ColourCell& sel = cells_[size_t(picker_.selected)];
    QPen pen(palette().color(QPalette::WindowText), 2);
    if (hasFocus()) pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(QRect(sel.x + 1, sel.y + 1, kCellSize - 1, kCellSize - 1));
}

void ColourCells::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    for (size_t i = 0; i < cells_.size(); ++i) {
        const QRect r(cells_[i].x, cells_[i].y, kCellSize, kCellSize);
        if (r.contains(pos)) {
            pickColourCell(picker_, int(i));
            update();
            return;
        }
    }
}

void ColourCells::keyPressEvent(QKeyEvent* event) {
    int cell = picker_.selected;
    switch (event->key()) {
        case Qt::Key_Left:
            --cell;
            break;
        case Qt::Key_Right:
            ++cell;
            break;
        case Qt::Key_Up:
            cell -= kColourCellsPerRow;
            break;
        case Qt::Key_Down:
            cell += kColourCellsPerRow;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    pickColourCell(picker_, cell);
    update();
}

ColourPickerWindow::ColourPickerWindow(const StringTable& strings, const MonthTheme& theme, int hue,
                                       QWidget* parent)
    : QDialog(parent), picker_(openColourPicker(hue)), result_(hue) {
    setObjectName(QStringLiteral("frmColorPicker"));
    setWindowTitle(qtString(strings, "clr_title"));
    setModal(true);
    useNarrowFont(this);

    // The frame's caption is a whole sentence: a wrapped label reads better than a group title.
    auto* frame = new QGroupBox;
    auto* caption = new QLabel(qtString(strings, "clr_frame"));
    caption->setWordWrap(true);
    cells_ = new ColourCells(picker_, theme);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(caption);
    inner->addWidget(cells_, 0, Qt::AlignHCenter);

    auto* buttons = new QDialogButtonBox;
    auto* ok = buttons->addButton(qtString(strings, "com_ok"), QDialogButtonBox::AcceptRole);
    auto* cancel =
        buttons->addButton(qtString(strings, "com_cancel"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        result_ = confirmColourPicker(picker_);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    caption->setMaximumWidth(cells_->width() + 80);
    cells_->setFocus();
}

int ColourPickerWindow::pick(const StringTable& strings, const MonthTheme& theme, int hue,
                             QWidget* parent) {
    ColourPickerWindow dialog(strings, theme, hue, parent);
    dialog.exec();
    return dialog.hue();
}

}  // namespace tv
