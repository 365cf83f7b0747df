#include "gui/windows/name_search_window.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/window_fixture.h"

namespace tv {
namespace {

using test::child;

class NameSearchWindowTest : public test::WindowTest {
protected:
    void openWindow() {
        w = std::make_unique<NameSearchWindow>(s);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }
    std::unique_ptr<NameSearchWindow> w;
};

TEST_F(NameSearchWindowTest, SearchShowsTheDaysAndEnterCreatesTheNameDayEvent) {
    openWindow();
    auto* input = child<QLineEdit>(w.get(), "Tinput2");
    QTest::keyClicks(input, QStringLiteral("abel"));  // "Ábel" on 2 January, accents folded
    QTest::keyClick(input, Qt::Key_Return);

    auto* results = child<QListWidget>(w.get(), "List2");
    ASSERT_TRUE(results->isVisible());
    ASSERT_GE(results->count(), 1);
    EXPECT_EQ(results->item(0)->text(), QStringLiteral("január 2."));
    EXPECT_FALSE(input->isEnabled());
    EXPECT_EQ(child<QPushButton>(w.get(), "ComSearch")->text(),
              QString::fromStdString(strings.getString("name_back")));

    // Enter on the result opens the editor on a yearly event for the name day; save it.
    whenModal([](QWidget* editor) {
        auto* name = editor->findChild<QLineEdit*>(QStringLiteral("Tf4"));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), QStringLiteral("Ábel névnapja"));
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdSave")),
                          Qt::LeftButton);
        editor->close();
    });
    results->setFocus();
    QTest::keyClick(results, Qt::Key_Return);
    EXPECT_TRUE(w->eventsChanged());
    bool found = false;
    for (const EventRecord& r : events.records()) {
        if (r.used() && r.name == "Ábel névnapja") {
            found = true;
            EXPECT_EQ(r.repeat, 1);
            EXPECT_EQ(r.month, 1);
            EXPECT_EQ(r.day, 2);
        }
    }
    EXPECT_TRUE(found);

    // Backspace in the results goes back to an empty search box.
    QTest::keyClick(results, Qt::Key_Backspace);
    EXPECT_TRUE(input->isEnabled());
    EXPECT_TRUE(input->text().isEmpty());
    EXPECT_FALSE(results->isVisible());
}

TEST_F(NameSearchWindowTest, UnknownNameSaysSo) {
    openWindow();
    auto* input = child<QLineEdit>(w.get(), "Tinput2");
    QTest::keyClicks(input, QStringLiteral("Xyzzy"));
    QTest::mouseClick(child<QPushButton>(w.get(), "ComSearch"), Qt::LeftButton);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, strings.getString("name_noname"));
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kInformation);
    EXPECT_TRUE(input->isEnabled());
}

TEST_F(NameSearchWindowTest, TypeAheadShowsADescription) {
    openWindow();
    auto* list = child<QListWidget>(w.get(), "List1");
    ASSERT_GT(list->count(), 0);
    const QString first = list->item(0)->text();
    auto* typed = child<QLineEdit>(w.get(), "Tinput1");
    test::typeText(typed, first.left(3).toLower());
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_TRUE(list->currentItem()->text().startsWith(first.left(3), Qt::CaseInsensitive));
    EXPECT_TRUE(child<QPlainTextEdit>(w.get(), "txtDescrResult")
                    ->toPlainText()
                    .startsWith(list->currentItem()->text()));
}

TEST_F(NameSearchWindowTest, MissingDatabasesDisableTheirChoiceAndSearching) {
    s.programDir = data.dir();  // no data folder at all
    NameTable empty;
    s.names = &empty;
    openWindow();
    EXPECT_FALSE(child<QRadioButton>(w.get(), "Option1")->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(w.get(), "Option2")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(w.get(), "Tinput2")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w.get(), "ComSearch")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(w.get(), "Tinput1")->isEnabled());
}

}  // namespace
}  // namespace tv
