// The real calendar window on the offscreen platform: a fresh user folder, the built program
// folder, and recording fakes for the message box, the shell and the sound.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cstdlib>
#include <vector>

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/tray.h"
#include "core/config/settings_keys.h"
#include "core/events/alarms.h"
#include "core/ui/commands.h"
#include "gui/app/calendar_app.h"
#include "gui/main_window.h"
#include "gui/pong_game.h"
#include "gui/tray_icon.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "platform/qt/qt_surface.h"
#include "support/calendar_home.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace tv::test {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { ensureApplication(); }
    ~MainWindowTest() override {
        app.reset();
        // Windows and the tray form go with deleteLater: gone before the next suite looks.
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A calendar whose modal windows are only recorded.
    CalendarApp& startCalendar(const std::string& commandLine = "", bool runEvents = true) {
        app = std::make_unique<CalendarApp>(CalendarApp::Options{false, false});
        Platform& p = app->platform();
        p.messageBox = &box;
        p.shell = &shell;
        p.sound = &sound;
        p.download = nullptr;
        app->endHook = [this] { ++ends; };
        app->modalHook = [this](UiAction kind, int argument) {
            opened.push_back(kind);
            arguments.push_back(argument);
            return true;
        };
        outcome = app->start(commandLine);
        if (runEvents) QApplication::processEvents();
        return *app;
    }

    void key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(app->window(), static_cast<Qt::Key>(qtKey), mods);
    }
    void clickButton(int index) {
        SkinButton* b = app->window()->button(index);
        ASSERT_TRUE(b->isVisible()) << "button " << index;
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
        QApplication::processEvents();
    }
    void wheel(int dy) {
        MainWindow* w = app->window();
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
    }
    void setSetting(const SettingKey& k, std::string_view value) {
        write(app->state().settings, k, value);
    }

    // Every folder the calendar writes goes under the test's own directory.
    CalendarHome home;
    FakeMessageBox box;
    FakeShell shell;
    FakeSound sound;
    std::unique_ptr<CalendarApp> app;
    MainOutcome outcome = MainOutcome::kEnded;
    std::vector<UiAction> opened;
    std::vector<int> arguments;
    int ends = 0;
};

TEST_F(MainWindowTest, StartShowsTodaysComposedPage) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    MainWindow* w = a.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    ASSERT_NE(a.frame(), nullptr);
    const QImage& frame = static_cast<const QtSurface&>(*a.frame()).image();
    EXPECT_EQ(w->size(), frame.size());

    // What the window shows is the composed buffer wherever no button covers it.
    const QImage shown = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), frame.size());
    int compared = 0;
    for (int y = 5; y < frame.height(); y += frame.height() / 7) {
        for (int x = 5; x < frame.width(); x += frame.width() / 9) {
            bool underButton = false;
            for (int i = 0; i < kButtonCount; ++i)
                underButton |= w->button(i)->isVisible() && w->button(i)->geometry().contains(x, y);
            if (underButton) continue;
            EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFF, frame.pixel(x, y) & 0xFFFFFF) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 40);
    // Today's page, and the close button from the skin.
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kMain);
    EXPECT_TRUE(w->button(kBtnExit)->isVisible());
    EXPECT_EQ(a.ui().shownYear, a.state().today.currentDay.year());
}

TEST_F(MainWindowTest, KeysReachTheirCommands) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    const int year = a.ui().shownYear;
    const int month = a.ui().shownMonth;

    // Paging keys do nothing on the first page; Space switches to the month grid.
    key(Qt::Key_Right);
    EXPECT_EQ(a.ui().shownMonth, month);
    key(Qt::Key_Space);
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kMonth);
    EXPECT_EQ(a.state().window.screenMode, ScreenMode::kMonth);
    key(Qt::Key_Right);
    EXPECT_EQ(a.ui().shownYear * 12 + a.ui().shownMonth, year * 12 + month + 1);
    key(Qt::Key_PageDown);
    EXPECT_EQ(a.ui().shownYear * 12 + a.ui().shownMonth, (year + 1) * 12 + month + 1);
    key(Qt::Key_Home);
    EXPECT_EQ(a.ui().shownMonth, month);
    EXPECT_EQ(a.ui().shownYear, year);

    // The modal windows, in the order asked.
    key(Qt::Key_Return);
    key(Qt::Key_F1);
    key(Qt::Key_K);
    key(Qt::Key_S);
    const std::vector<UiAction> want = {UiAction::kOpenEventList, UiAction::kOpenAbout,
                                        UiAction::kOpenNameSearch, UiAction::kOpenSettings};
    EXPECT_EQ(opened, want);
    EXPECT_TRUE(a.state().loaded);
}

TEST_F(MainWindowTest, DeveloperSequenceNeedsShift) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    EXPECT_FALSE(a.state().window.developer);
    for (char c : std::string("ZEVORKA"))
        key(Qt::Key_A + (c - 'A'), Qt::ShiftModifier);
    EXPECT_TRUE(a.state().window.developer);
    EXPECT_EQ(shell.beeps, 1);
}

TEST_F(MainWindowTest, ButtonsRunTheirCommandOnRelease) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    clickButton(3);  // menucal
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kMonth);
    clickButton(4);  // menudates
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], UiAction::kOpenEventList);

    // Pressed inside, released outside: the command still runs, the button looks up again.
    SkinButton* b = a.window()->button(3);
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    EXPECT_EQ(a.canvas().skin.buttons[3].look, kLookDown);
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20));
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kMain);
    EXPECT_EQ(a.canvas().skin.buttons[3].look, kLookUp);
}

TEST_F(MainWindowTest, WheelPagesOnlyTheMonthScreen) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    const int start = a.ui().shownYear * 12 + a.ui().shownMonth;
    wheel(-120);
    EXPECT_EQ(a.ui().shownYear * 12 + a.ui().shownMonth, start);
    key(Qt::Key_Space);
    wheel(-120);
    EXPECT_EQ(a.ui().shownYear * 12 + a.ui().shownMonth, start + 1);
    wheel(120);
    wheel(120);
    EXPECT_EQ(a.ui().shownYear * 12 + a.ui().shownMonth, start - 1);
    EXPECT_EQ(a.month().month, a.ui().shownMonth);  // the grid was rebuilt for it
}

TEST_F(MainWindowTest, RightClickOpensTheMainMenu) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    MainWindow* w = a.window();
    QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, QPoint(w->width() / 2, w->height() - 40));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], UiAction::kOpenMainMenu);
}

// The start does not wait for the desktop's tray: the icon is made once the event loop runs,
// after the window is up; the form and its tick are there from the start.
TEST_F(MainWindowTest, TheTrayIconComesAfterTheWindow) {
    CalendarApp& a = startCalendar("", false);
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    ASSERT_NE(a.trayForm(), nullptr);
    EXPECT_TRUE(a.window()->isVisible());
    EXPECT_EQ(a.trayForm()->icon(), nullptr);
    EXPECT_TRUE(a.trayForm()->timer()->isActive());
    QApplication::processEvents();
    ASSERT_NE(a.trayForm()->icon(), nullptr);
    EXPECT_EQ(a.trayForm()->icon()->toolTip(), QStringLiteral("Tempovirens"));
}

TEST_F(MainWindowTest, ClosingWithTheTrayKeepsTheProcess) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    ASSERT_NE(a.trayForm(), nullptr);
    key(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(a.state().loaded);
    EXPECT_FALSE(a.state().ended);
    EXPECT_EQ(a.window(), nullptr);
    EXPECT_NE(a.trayForm(), nullptr);

    // The tray brings it back, and the saved position and page were written.
    loadUpCalendar(a.context(), LoadMode::kRaise);
    QApplication::processEvents();
    EXPECT_TRUE(a.state().loaded);
    ASSERT_NE(a.window(), nullptr);
    EXPECT_TRUE(a.window()->isVisible());
    EXPECT_FALSE(read(a.state().settings, settings::Cal_LastX).empty());
}

TEST_F(MainWindowTest, ClosingWithoutTheTrayEnds) {
    // The second run reads the first one's settings with the tray switched off.
    {
        CalendarApp& first = startCalendar();
        ASSERT_EQ(outcome, MainOutcome::kLoaded);
        write(first.state().settings, settings::AS_TrayIcon, "0");
        exitProgram(first.context());
        QApplication::processEvents();
        EXPECT_EQ(ends, 1);
        ends = 0;
    }
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    EXPECT_EQ(a.trayForm(), nullptr);
    key(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(a.state().loaded);
    EXPECT_TRUE(a.state().ended);
    EXPECT_EQ(ends, 1);
}

TEST_F(MainWindowTest, AlarmBringsTheAlarmScreenAndButtonEightStopsTheSound) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    setSetting(settings::AlarmLength, "2");
    AlarmState& alarm = a.state().alarm;
    alarm.currentAlarm.hour = 8;
    alarm.currentAlarm.minute = 15;
    alarm.currentAlarm.name = "Fogorvos";

    AlarmContext ctx = alarmContextOf(a.context());
    startAlarm(alarm, ctx);
    QApplication::processEvents();

    EXPECT_EQ(a.ui().screenMode, ScreenMode::kAlarm);
    EXPECT_TRUE(a.window()->button(kBtnAlarm)->isVisible());
    EXPECT_EQ(alarm.alarmCountdown, 30);
    EXPECT_TRUE(alarm.timerAlarmEnabled);

    const int stopsBefore = sound.stops;
    clickButton(kBtnAlarm);
    EXPECT_GT(sound.stops, stopsBefore);
    EXPECT_FALSE(alarm.timerAlarmEnabled);
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kAlarm);  // the screen stays until switched
    key(Qt::Key_Space);
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kMonth);
}

TEST_F(MainWindowTest, GameEndsWithEscapeOnly) {
    CalendarApp& a = startCalendar();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    a.startGame();
    EXPECT_TRUE(a.window()->gameRunning());
    EXPECT_FALSE(a.window()->button(kBtnExit)->isVisible());
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kGame);
    key(Qt::Key_Escape);
    EXPECT_FALSE(a.window()->gameRunning());
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kMain);
    EXPECT_TRUE(a.state().loaded);  // Esc in the game does not close the calendar
}

TEST(PongGameTest, BallStaysOnTheTableAndMissesScore) {
    PongGame g(400, 300);
    for (int i = 0; i < 2000; ++i) {
        g.setPlayerY(0);  // the player never moves: the computer scores
        g.step();
        ASSERT_GE(g.ballY(), 0);
        ASSERT_LE(g.ballY() + PongGame::kBall, 300);
        ASSERT_GE(g.playerY(), 0);
        ASSERT_LE(g.computerY() + PongGame::kPaddleHeight, 300);
    }
    EXPECT_GT(g.computerScore(), 0);
}

}  // namespace
}  // namespace tv::test
