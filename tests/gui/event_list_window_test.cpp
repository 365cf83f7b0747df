#include "gui/windows/event_list_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/calc/files.h"
#include "core/config/config_file.h"
#include "core/config/settings_keys.h"
#include "gui/window_fixture.h"
#include "platform/qt/qt_message_box.h"

namespace tv {
namespace {

using test::child;

class EventListWindowTest : public test::WindowTest {
protected:
    void openWindow(const EventListOpen& open = {}) {
        w = std::make_unique<EventListWindow>(s, open);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }
    QLineEdit* tf(int i) {
        return child<QLineEdit>(w.get(), qPrintable(QStringLiteral("Tf%1").arg(i)));
    }
    void type(int field, const QString& text) {
        QLineEdit* f = tf(field);
        f->setFocus();
        f->selectAll();
        QTest::keyClick(f, Qt::Key_Backspace);
        test::typeText(f, text);
    }
    void click(const char* name) {
        QTest::mouseClick(child<QWidget>(w.get(), name), Qt::LeftButton);
    }
    QString lastMessage() const {
        return box.shown.empty() ? QString() : QString::fromStdString(box.shown.back().text);
    }
    QStringList listNames() {
        QStringList out;
        auto* list = child<QTreeWidget>(w.get(), "RecordList");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(1);
        return out;
    }

    std::unique_ptr<EventListWindow> w;
};

TEST_F(EventListWindowTest, InvalidDateIsRefusedWithItsMessageAndTheFocusOnTheField) {
    const std::string before = data.read("events.cdb");
    openWindow();
    click("cmdNew");
    ASSERT_TRUE(w->editing());
    type(4, QStringLiteral("Fogorvos"));
    type(1, QStringLiteral("2024"));
    type(2, QStringLiteral("4"));
    type(3, QStringLiteral("31"));
    click("cmdSave");

    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(lastMessage(),
              QString::fromStdString(strings.formatString("dates_err_months", "30")));
    EXPECT_EQ(box.shown.back().icon, MessageIcon::kWarning);
    EXPECT_EQ(QApplication::focusWidget(), tf(3));
    EXPECT_TRUE(w->editing());
    EXPECT_EQ(tf(3)->text(), QStringLiteral("31"));  // the input stays for correcting

    // A one-time 29 February of a common year points at the year instead.
    type(1, QStringLiteral("2023"));
    type(2, QStringLiteral("2"));
    type(3, QStringLiteral("29"));
    click("cmdSave");
    EXPECT_EQ(lastMessage(), QString::fromStdString(strings.getString("dates_err_leap2")));
    EXPECT_EQ(QApplication::focusWidget(), tf(1));
    EXPECT_EQ(data.read("events.cdb"), before);
}

TEST_F(EventListWindowTest, DigitFieldsBeepAtLettersAndKeepDigits) {
    openWindow();
    click("cmdNew");
    type(3, QStringLiteral("1x2"));
    EXPECT_EQ(tf(3)->text(), QStringLiteral("12"));
    EXPECT_EQ(shell.beeps, 1);
    type(4, QStringLiteral("Név 2"));  // the name takes anything
    EXPECT_EQ(tf(4)->text(), QStringLiteral("Név 2"));
    EXPECT_EQ(shell.beeps, 1);
}

TEST_F(EventListWindowTest, SavedBirthdayIsListedAndStoredInTheFile) {
    // The sync binding hears of every save, or a deletion here would come back from the server.
    int told = 0;
    s.eventsSaved = [&told](const EventTable& t) { told += t.slotCount() > 0 ? 1 : 0; };
    openWindow();
    click("cmdNew");
    type(4, QStringLiteral("Anna születésnapja"));
    auto* cism = child<QComboBox>(w.get(), "Cism");
    cism->setFocus();
    QTest::keyClick(cism, Qt::Key_Down);  // once -> yearly
    ASSERT_EQ(cism->currentIndex(), 1);
    EXPECT_EQ(tf(1)->text(), QStringLiteral("*"));
    EXPECT_FALSE(tf(1)->isEnabled());
    click("Cspecial");
    EXPECT_TRUE(tf(1)->isEnabled());
    type(1, QStringLiteral("1980"));
    type(2, QStringLiteral("5"));
    type(3, QStringLiteral("12"));
    EXPECT_TRUE(child<QWidget>(w.get(), "lblSince")->isVisible());
    EXPECT_FALSE(child<QWidget>(w.get(), "cmdEventColor")->isVisible());  // not a long event
    click("cmdSave");

    EXPECT_TRUE(box.shown.empty()) << lastMessage().toStdString();
    ASSERT_FALSE(w->editing());
    EXPECT_EQ(w->filter().list, EventListKind::kRecurring);
    EXPECT_TRUE(listNames().contains(QStringLiteral("Anna születésnapja")));
    const int slot = w->selectedSlot();
    ASSERT_GE(slot, 0);
    EXPECT_EQ(events[slot].name, "Anna születésnapja");
    EXPECT_TRUE(w->eventsChanged());
    EXPECT_EQ(told, 1);

    EventTable reread;
    EventDbContext db = dbContext();
    ASSERT_TRUE(loadEventDatabase(reread, db));
    ASSERT_LT(slot, reread.slotCount());
    const EventRecord& r = reread[slot];
    EXPECT_EQ(r.name, "Anna születésnapja");
    EXPECT_EQ(r.repeat, 1);
    EXPECT_EQ(r.anniversary, 1);
    EXPECT_EQ(r.year, 1980);
    EXPECT_EQ(r.month, 5);
    EXPECT_EQ(r.day, 12);
}

TEST_F(EventListWindowTest, ClosingWritesTheListFiltersToSettings) {
    openWindow();
    child<QCheckBox>(w.get(), "chAnni0")->click();
    w->close();
    HashTable saved;
    ASSERT_TRUE(readConfig(saved, data.file("settings.cfg")));
    EXPECT_EQ(saved.itemAlt("DatesRepeatFilter1", "?"), "0");
    EXPECT_EQ(saved.itemAlt("DatesEventFilter", "?"), "11");
}

// Regression: the three lists' filters stood side by side although only one shows, so the
// window was wider than the screen at 2x.
TEST_F(EventListWindowTest, OnlyTheShownListsFilterTakesRoom) {
    openWindow();
    int sideBySide = 0;
    for (const char* name : {"chAnni0", "chAnni1", "chAnni2", "cmbEventFilter", "chDisabledCerem"})
        sideBySide += child<QWidget>(w.get(), name)->minimumSizeHint().width();
    EXPECT_LT(w->minimumSizeHint().width(), sideBySide);
    EXPECT_FALSE(child<QWidget>(w.get(), "cmbEventFilter")->isVisible());
    EXPECT_FALSE(child<QWidget>(w.get(), "chDisabledCerem")->isVisible());
}

TEST_F(EventListWindowTest, CancelAsksOnlyAfterAChange) {
    openWindow();
    click("cmdNew");
    click("cmdCancel");
    EXPECT_TRUE(box.shown.empty());
    EXPECT_FALSE(w->editing());

    click("cmdNew");
    type(4, QStringLiteral("Valami"));
    box.script = {MessageAnswer::kNo};
    QTest::keyClick(tf(4), Qt::Key_Escape);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(lastMessage(), QString::fromStdString(strings.getString("dates_q_cancel")));
    EXPECT_TRUE(w->editing());
    box.script = {MessageAnswer::kYes};
    click("cmdCancel");
    EXPECT_FALSE(w->editing());
    EXPECT_FALSE(listNames().contains(QStringLiteral("Valami")));
}

TEST_F(EventListWindowTest, OpenModesStartTheEditorAsAsked) {
    EventListOpen open;
    open.mode = EventListOpenMode::kNewOnDate;
    open.date = Date::serial(2024, 12, 24);
    openWindow(open);
    ASSERT_TRUE(w->editing());
    EXPECT_EQ(tf(1)->text(), QStringLiteral("2024"));
    EXPECT_EQ(tf(2)->text(), QStringLiteral("12"));
    EXPECT_EQ(tf(3)->text(), QStringLiteral("24"));
    EXPECT_EQ(tf(0)->text(), QStringLiteral("7"));
    EXPECT_EQ(tf(8)->text(), QStringLiteral("1"));

    // Editing a holiday shows its own labels and no forecast field.
    w.reset();
    int holiday = -1;
    for (int i = 0; i < events.slotCount(); ++i)
        if (events[i].used() && events[i].kind() == EventCategory::kHoliday) holiday = i;
    ASSERT_GE(holiday, 0);
    open = {};
    open.mode = EventListOpenMode::kEditSlot;
    open.slot = holiday;
    openWindow(open);
    EXPECT_EQ(tf(4)->text(), QString::fromStdString(events[holiday].name));
    EXPECT_FALSE(tf(0)->isVisible());
    EXPECT_TRUE(child<QWidget>(w.get(), "ChForecast")->isVisible());
}

TEST_F(EventListWindowTest, ListSwitchesSearchAndDeletes) {
    const std::string before = data.read("events.cdb");
    openWindow();
    click("OptDB2");
    EXPECT_EQ(w->filter().list, EventListKind::kHolidays);
    const QStringList holidays = listNames();
    ASSERT_FALSE(holidays.isEmpty());
    auto* search = child<QLineEdit>(w.get(), "txtSearch");
    const QString wanted = holidays.last();
    test::typeText(search, wanted.left(4).toLower());
    auto* list = child<QTreeWidget>(w.get(), "RecordList");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_TRUE(list->currentItem()->text(1).startsWith(wanted.left(4), Qt::CaseInsensitive));

    const int slot = w->selectedSlot();
    box.script = {MessageAnswer::kYes};
    click("cmdDelete");
    EXPECT_TRUE(w->eventsChanged());
    EXPECT_NE(w->selectedSlot(), slot);
    EXPECT_NE(data.read("events.cdb"), before);
}

// Regression: the delete question's default was Yes, so Enter deleted the event.
TEST_F(EventListWindowTest, EnterOnTheDeleteQuestionKeepsTheEvent) {
    QtMessageBox desktopBox("Tempovirens");
    s.box = &desktopBox;
    openWindow();
    click("OptDB2");
    ASSERT_GE(w->selectedSlot(), 0);
    const int slot = w->selectedSlot();
    const int count = events.eventCount();
    const std::string before = data.read("events.cdb");
    bool asked = false;
    whenModal([&asked](QWidget* question) {
        asked = true;
        QTest::keyClick(question, Qt::Key_Return);
    });
    click("cmdDelete");
    EXPECT_TRUE(asked);
    EXPECT_EQ(events.eventCount(), count);
    EXPECT_TRUE(events[slot].used());
    EXPECT_FALSE(w->eventsChanged());
    EXPECT_EQ(data.read("events.cdb"), before);
}

// Regression: the editor cut names and comments at 255 characters.
TEST_F(EventListWindowTest, LongNameIsSavedWhole) {
    openWindow();
    click("cmdNew");
    const QString name = QString(120, QLatin1Char('k')) + QStringLiteral(" Árvíztűrő ") +
                         QString(140, QLatin1Char('t'));
    type(4, name);
    type(1, QStringLiteral("2025"));
    click("cmdSave");
    EXPECT_TRUE(box.shown.empty()) << lastMessage().toStdString();
    const int slot = w->selectedSlot();
    ASSERT_GE(slot, 0);
    EXPECT_EQ(QString::fromStdString(events[slot].name), name);
}

TEST_F(EventListWindowTest, TheIcalButtonsExportAndImportBackWithAReport) {
    openWindow();
    const std::string file = data.dir() + "ki.ics";
    dialogs.saveAnswers.push_back(file);
    box.script = {MessageAnswer::kYes, MessageAnswer::kOk};  // holidays too; the note
    click("cmdExport");
    EXPECT_NE(data.read("ki.ics").find("BEGIN:VEVENT"), std::string::npos);
    EXPECT_EQ(box.shown.back().icon, MessageIcon::kInformation);

    // Everything in it is in the table already: a report, and nothing changes.
    dialogs.fileAnswers.push_back(file);
    box.shown.clear();
    click("cmdImport");
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, s.strings->getString("ical_report_title"));
    EXPECT_EQ(box.shown[0].text.find(s.strings->formatString("ical_rep_imported", "0")), 0u)
        << box.shown[0].text;
    EXPECT_FALSE(w->eventsChanged());
}

}  // namespace
}  // namespace tv
