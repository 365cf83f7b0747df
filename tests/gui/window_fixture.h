// A calendar for driving the modal windows: the real string table and name files of the
// program folder, a fresh data folder, a fixed clock and recording fakes for the desktop.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/event_database.h"
#include "core/events/event_record.h"
#include "core/names/name_table.h"
#include "gui/windows/window_services.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace tv::test {

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : clock(FakeClock::at(2024, 3, 9)) {
        ensureApplication();
        programDir = std::string(TV_TEST_PROGRAM_DIR) + "/";
        strings.loadFile(programDir + "data/hun_strings.dat");
        names.load(programDir);
        EventDbContext db = dbContext();
        loadEventDatabase(events, db);
        s.strings = &strings;
        s.settings = &settings;
        s.events = &events;
        s.names = &names;
        s.box = &box;
        s.dialogs = &dialogs;
        s.shell = &shell;
        s.clock = &clock;
        s.programDir = programDir;
        s.userDataDir = data.dir();
    }

    EventDbContext dbContext() { return eventDbContextFor(data.dir(), clock, strings, settings); }

    // Runs `step` once the next modal window is up (a nested exec() would block the test).
    static void whenModal(std::function<void(QWidget*)> step) {
        QTimer::singleShot(0, [step = std::move(step)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            step(modal);
        });
    }

    TempDir data;
    std::string programDir;
    FakeClock clock;
    StringTable strings;
    HashTable settings;
    EventTable events;
    NameTable names;
    FakeMessageBox box;
    FakeDialogs dialogs;
    FakeShell shell;
    WindowServices s;
};

// Types the text key by key; QTest's own key clicks know only ASCII, and Hungarian names do not.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// The child of `window` with the object name, failing the test when it is missing.
template <typename T>
T* child(QWidget* window, const char* name) {
    T* w = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

}  // namespace tv::test
