// The colour picker: the band colour of a long event, one of fourteen fixed hues.
#pragma once

#include <QDialog>
#include <QWidget>
#include <array>

#include "core/events/windows/colour_picker.h"

namespace tv {

class StringTable;

// The two rows of seven colour cells, with a frame around the selected one.
// Arrow keys move the frame; a click selects.
class ColourCells : public QWidget {
    Q_OBJECT
public:
    ColourCells(ColourPicker& picker, const MonthTheme& theme, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    // The top left of a cell, for clicking it in tests.
    QPoint cellCentre(int cell) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ColourPicker& picker_;
    std::array<ColourCell, 14> cells_;
};

class ColourPickerWindow : public QDialog {
    Q_OBJECT
public:
    ColourPickerWindow(const StringTable& strings, const MonthTheme& theme, int hue,
                       QWidget* parent = nullptr);
    // The chosen hue after OK, the given one after Cancel.
    int hue() const { return result_; }
    int selectedCell() const { return picker_.selected; }
    ColourCells* cells() const { return cells_; }

    static int pick(const StringTable& strings, const MonthTheme& theme, int hue, QWidget* parent);

private:
    ColourPicker picker_;
    ColourCells* cells_ = nullptr;
    int result_ = 0;
};

// The colour as Qt paints it (the core keeps 0x00BBGGRR).
QColor colourOf(uint32_t bgr);

}  // namespace tv
