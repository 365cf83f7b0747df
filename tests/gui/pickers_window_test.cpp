#include <QCheckBox>
#include <QPushButton>

#include "gui/window_fixture.h"
#include "gui/windows/colour_picker_window.h"
#include "gui/windows/month_picker_window.h"

namespace tv {
namespace {

using test::child;

class PickerWindowTest : public test::WindowTest {};

// On the box itself: a check box reacts to its box and caption, not to the rest of its column.
void clickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

TEST_F(PickerWindowTest, MonthsGiveTheMaskAndRefuseNone) {
    MonthPickerWindow w(strings, box, 4);  // March
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    clickBox(w.monthBox(2));  // March off
    EXPECT_FALSE(w.monthBox(2)->font().bold());
    QTest::mouseClick(child<QPushButton>(&w, "ComOK"), Qt::LeftButton);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, strings.getString("months_err01"));
    EXPECT_TRUE(w.isVisible());

    clickBox(w.monthBox(0));
    clickBox(w.monthBox(11));
    EXPECT_TRUE(w.monthBox(11)->font().bold());
    QTest::mouseClick(child<QPushButton>(&w, "ComOK"), Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.mask(), 2049);
}

TEST_F(PickerWindowTest, MonthsAllButtonTogglesAndCancelKeepsTheMask) {
    MonthPickerWindow w(strings, box, 4095 & ~1);  // all but January
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* all = child<QPushButton>(&w, "cmdAll");
    QTest::mouseClick(all, Qt::LeftButton);
    EXPECT_TRUE(w.monthBox(0)->isChecked());
    QTest::mouseClick(all, Qt::LeftButton);
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(w.monthBox(i)->isChecked());
    QTest::mouseClick(child<QPushButton>(&w, "ComCancel"), Qt::LeftButton);
    EXPECT_EQ(w.mask(), 4095 & ~1);
}

TEST_F(PickerWindowTest, ColourPickerSelectsByClickAndKeys) {
    ColourPickerWindow w(strings, MonthTheme{}, 45);  // not in the palette: the first cell
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.selectedCell(), 0);
    QTest::mouseClick(w.cells(), Qt::LeftButton, {}, w.cells()->cellCentre(5));
    EXPECT_EQ(w.selectedCell(), 5);
    QTest::keyClick(w.cells(), Qt::Key_Down);
    EXPECT_EQ(w.selectedCell(), 12);
    QTest::keyClick(w.cells(), Qt::Key_Down);  // past the last row: stays
    EXPECT_EQ(w.selectedCell(), 12);
    QTest::mouseClick(child<QPushButton>(&w, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(w.hue(), kBandHues[12]);
}

TEST_F(PickerWindowTest, ColourPickerCancelReturnsTheGivenHue) {
    ColourPickerWindow w(strings, MonthTheme{}, 45);
    w.show();
    QTest::mouseClick(w.cells(), Qt::LeftButton, {}, w.cells()->cellCentre(3));
    QTest::mouseClick(child<QPushButton>(&w, "cmdCancel"), Qt::LeftButton);
    EXPECT_EQ(w.hue(), 45);
}

}  // namespace
}  // namespace tv
