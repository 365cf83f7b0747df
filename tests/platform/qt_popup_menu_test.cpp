#include "platform/qt/qt_popup_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "support/qt_application.h"

namespace tv {
namespace {

// Answers the next popup from inside its own event loop: picks `id`, or dismisses it with Esc
// when `id` is 0.
void answerNextPopup(int id) {
    QTimer::singleShot(0, [id] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (popup == nullptr) return;
        int key = Qt::Key_Escape;
        for (QAction* a : popup->actions()) {
            if (id != 0 && PopupMenu::idOf(a) == id) {
                popup->setActiveAction(a);
                key = Qt::Key_Return;
            }
        }
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(popup, &press);
    });
}

class QtPopupMenu : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
};

TEST_F(QtPopupMenu, ItemsCarryTheirLooks) {
    PopupMenu menu;
    menu.add(1, "Tempovirens", true);
    menu.add(2, "Napi megjelenés: 5:00", false, false, MenuState::kGreyed);
    menu.add(3, "-");
    menu.add(17, "Egyszeri események\tE", false, true);
    menu.add(4, "Tom & Jerry");
    const QList<QAction*> a = menu.hwnd()->actions();
    ASSERT_EQ(a.size(), 5);
    EXPECT_EQ(menu.hwnd()->defaultAction(), a[0]);
    EXPECT_TRUE(a[0]->font().bold());
    EXPECT_FALSE(a[1]->isEnabled());
    EXPECT_TRUE(a[2]->isSeparator());
    EXPECT_TRUE(a[3]->isChecked());
    EXPECT_FALSE(a[0]->isCheckable());
    EXPECT_EQ(a[3]->text(), QStringLiteral("Egyszeri események\tE"));
    EXPECT_EQ(a[4]->text(), QStringLiteral("Tom && Jerry"));
    EXPECT_EQ(PopupMenu::idOf(a[3]), 17);

    menu.remove(2);
    EXPECT_EQ(menu.hwnd()->actions().size(), 4);
    menu.remove(9);  // out of range: nothing
    EXPECT_EQ(menu.hwnd()->actions().size(), 4);
}

TEST_F(QtPopupMenu, MainMenuModelBecomesMenuAndSubmenu) {
    MainWindowState s;
    s.developer = true;
    HashTable settings;
    StringTable strings;
    auto menu = PopupMenu::fromModel(buildMainMenu(s, settings, strings));
    const QList<QAction*> top = menu->hwnd()->actions();
    ASSERT_EQ(top.size(), 14);
    QMenu* sub = top[0]->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->title(), QStringLiteral("main_b_calendar2"));
    const QList<QAction*> items = sub->actions();
    ASSERT_EQ(items.size(), 12);
    EXPECT_TRUE(items[0]->isEnabled());   // the screen switch works everywhere
    EXPECT_FALSE(items[2]->isEnabled());  // month items off the month screen
    EXPECT_TRUE(items[2]->isChecked());   // one-time events are shown
    EXPECT_EQ(PopupMenu::idOf(top[8]), 251);
}

// Regression: the day field's names were escaped by the model and again by the menu, so
// "Kati & Pisti" read "Kati && Pisti".
TEST_F(QtPopupMenu, DayFieldNamesShowTheirAmpersandOnce) {
    EventTable table;
    table[table.allocateEventSlot()].name = "Kati & Pisti";
    MonthEvents month;
    month.year = 2025;
    month.month = 3;
    month.entries.push_back(DayEntry{10, 7, "Kati & Pisti", 0, "9999kati & pisti"});
    const StringTable strings;
    const auto menu =
        PopupMenu::fromModel(dayFieldMenuModel(buildDayFieldMenu(month, 10, table, strings)));
    const QList<QAction*> a = menu->hwnd()->actions();
    ASSERT_EQ(a.size(), 5);
    EXPECT_EQ(a[2]->text(), QStringLiteral("Kati && Pisti"));  // Qt's spelling of one "&"
}

TEST_F(QtPopupMenu, ShowReturnsTheChosenIdOrZero) {
    PopupMenu menu;
    menu.add(1, "Tempovirens", true);
    menu.add(3, "-");
    menu.add(4, "Kilépés");
    answerNextPopup(4);
    EXPECT_EQ(menu.show(10, 10), 4);
    answerNextPopup(0);
    EXPECT_EQ(menu.show(10, 10), 0);
}

}  // namespace
}  // namespace tv
