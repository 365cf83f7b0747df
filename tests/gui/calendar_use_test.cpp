// The calendar as a user meets it, on the offscreen platform: what the settings change shows at
// once, a new day on the month screen, the exit where the desktop shows no tray, the help page
// without a browser, and Qt's own words in Hungarian.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <cstdlib>

#include "core/app/startup.h"
#include "core/app/tray.h"
#include "core/config/settings_keys.h"
#include "core/ui/commands.h"
#include "core/ui/menus.h"
#include "gui/accessory_windows.h"
#include "gui/app/calendar_app.h"
#include "gui/app/qt_translation.h"
#include "gui/main_window.h"
#include "gui/windows/help_window.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "support/calendar_home.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace tv::test {
namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class CalendarUseTest : public ::testing::Test {
protected:
    CalendarUseTest() : clock(FakeClock::at(2024, 3, 9, 8, 0, 0)) { ensureApplication(); }
    ~CalendarUseTest() override {
        app.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<HelpWindow*>(w) != nullptr) delete w;
        settle();
    }

    // A calendar whose modal windows are handed to `onModal` (nothing blocks).
    CalendarApp& start(std::optional<bool> trayArea = true) {
        CalendarApp::Options options;
        options.singleInstance = false;
        options.splash = false;
        options.clock = &clock;
        app = std::make_unique<CalendarApp>(options);
        app->trayAreaOverride = trayArea;
        Platform& p = app->platform();
        p.messageBox = &box;
        p.shell = &shell;
        p.sound = &sound;
        p.download = nullptr;
        app->endHook = [this] { ++ends; };
        app->modalHook = [this](UiAction kind, int) { return onModal ? onModal(kind) : true; };
        app->start("");
        settle();
        return *app;
    }

    CalendarHome home;
    FakeClock clock;
    FakeMessageBox box;
    FakeShell shell;
    FakeSound sound;
    std::unique_ptr<CalendarApp> app;
    std::function<bool(UiAction)> onModal;
    int ends = 0;
};

// Regression: today's sentence was built only at start and at the change of day.
TEST_F(CalendarUseTest, TodaysSentenceFollowsTheSettingsAtOnce) {
    CalendarApp& a = start();
    ASSERT_TRUE(a.state().loaded);
    ASSERT_NE(a.state().todayText.find("héten"), std::string::npos) << a.state().todayText;
    onModal = [&a](UiAction kind) {
        if (kind == UiAction::kOpenSettings) {
            write(a.state().settings, settings::Today_Week, "0");
            write(a.state().settings, settings::Today_Day, "0");
        }
        return true;
    };
    a.command(CommandCode::kSettings);
    settle();
    EXPECT_EQ(a.state().todayText.find("héten"), std::string::npos) << a.state().todayText;
}

// Regression: a change of day paged the month screen back to the current month.
TEST_F(CalendarUseTest, ANewDayKeepsTheMonthTheUserLooksAt) {
    CalendarApp& a = start();
    a.command(CommandCode::kSwitchScreen);
    a.command(CommandCode::kNextMonth);
    a.command(CommandCode::kNextMonth);
    ASSERT_EQ(a.ui().shownMonth, 5);
    clock.set(DateTime::of(Date::serial(2024, 3, 10), 0, 0, 5));
    ASSERT_TRUE(checkDayChange(a.context()));
    EXPECT_EQ(a.ui().shownMonth, 5);
    EXPECT_EQ(a.ui().today, Date::serial(2024, 3, 10));

    // On the main screen the month follows the day, so the month screen opens on it.
    a.command(CommandCode::kSwitchScreen);
    clock.set(DateTime::of(Date::serial(2024, 4, 1), 0, 0, 5));
    ASSERT_TRUE(checkDayChange(a.context()));
    EXPECT_EQ(a.ui().shownMonth, 4);
}

// Regression: the month screen had no paging arrows and no names switch to click.
TEST_F(CalendarUseTest, TheMonthScreenShowsItsButtons) {
    CalendarApp& a = start();
    MainWindow* w = a.window();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->button(kBtnCalRight)->isVisible());
    a.command(CommandCode::kSwitchScreen);
    settle();
    ASSERT_TRUE(w->button(kBtnCalRight)->isVisible());
    EXPECT_TRUE(w->button(kBtnCalLeft)->isVisible());
    EXPECT_TRUE(w->button(kBtnSwNames)->isVisible());
    QTest::mouseClick(w->button(kBtnCalRight), Qt::LeftButton);
    settle();
    EXPECT_EQ(a.ui().shownMonth, 4);
}

// Regression: without a tray area, closing left an invisible process with no way to end it.
TEST_F(CalendarUseTest, WithoutATrayAreaTheMainMenuEndsTheProgram) {
    CalendarApp& a = start(false);
    ASSERT_TRUE(residentWithoutTray(a.context()));
    box.shown.clear();  // the first run's welcome
    QTest::keyClick(a.window(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(a.state().loaded);
    EXPECT_FALSE(a.state().ended);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, a.state().strings.getString("st_background_info"));

    loadUpCalendar(a.context(), LoadMode::kRaise);  // a second start hands over
    settle();
    ASSERT_TRUE(a.state().loaded);
    box.script = {MessageAnswer::kOk};
    a.command(CommandCode::kExitProgram);
    settle();
    EXPECT_EQ(box.shown.back().text, a.state().strings.getString("st_q_exit"));
    EXPECT_TRUE(a.state().ended);
    EXPECT_EQ(ends, 1);
}

HelpWindow* openHelpWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* help = qobject_cast<HelpWindow*>(w);
        if (help != nullptr && help->isVisible()) return help;
    }
    return nullptr;
}

// Regression: where no handler opened about_hun.html the help silently did not come.
TEST_F(CalendarUseTest, HelpWithoutAHandlerOpensInAWindowOfItsOwn) {
    StringTable strings;
    strings.loadStrings(std::string(TV_TEST_PROGRAM_DIR) + "/", nullptr, nullptr);
    const std::string page = std::string(TV_TEST_PROGRAM_DIR) + "/about_hun.html";
    QString asked;
    openHelpPage(strings, page, nullptr, [&asked](const QString& file, std::function<void()> none) {
        asked = file;
        none();
    });
    settle();
    EXPECT_EQ(asked.toStdString(), page);
    HelpWindow* help = openHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle().toStdString(), strings.getString("about_help_title"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Tempovirens")));
    delete help;

    // A handler that takes it: no window of ours.
    openHelpPage(strings, page, nullptr, [](const QString&, std::function<void()>) {});
    settle();
    EXPECT_EQ(openHelpWindow(), nullptr);
}

// Regression: the about window's captions were fixed texts, not the string table's.
TEST_F(CalendarUseTest, AboutWindowSpeaksFromTheStringTable) {
    StringTable strings;
    strings.loadStrings(std::string(TV_TEST_PROGRAM_DIR) + "/", nullptr, nullptr);
    AboutWindow w(strings, {});
    auto* help = w.findChild<QPushButton*>(QStringLiteral("cmdHelp"));
    auto* update = w.findChild<QPushButton*>(QStringLiteral("cmdUpdate"));
    ASSERT_NE(help, nullptr);
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(help->text().toStdString(), strings.getString("about_btn_help"));
    EXPECT_EQ(help->toolTip().toStdString(), strings.getString("about_btn_help_tt"));
    EXPECT_EQ(update->text().toStdString(), strings.getString("about_check_version"));
    auto* version = w.findChild<QLabel*>(QStringLiteral("lblVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(version->text().startsWith(QStringLiteral("Verzió: ")));
}

// Regression: Qt's own buttons and dialogs spoke English.
TEST_F(CalendarUseTest, QtsOwnWordsAreHungarian) {
    ASSERT_EQ(installQtTranslation(), QStringLiteral("qtbase_hu"));
    EXPECT_EQ(installQtTranslation(), QStringLiteral("qtbase_hu"));  // installed once
    QMessageBox question;
    question.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')),
              QStringLiteral("Igen"));
    EXPECT_EQ(question.button(QMessageBox::No)->text().remove(QLatin1Char('&')),
              QStringLiteral("Nem"));
}

}  // namespace
}  // namespace tv::test
