// The editor's fields and controls per repeat kind, the open modes, cancel and the picture.
#include "core/events/windows/event_editor.h"

#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "platform/fake/fake_message_box.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

const Date kToday = Date::serial(2025, 3, 1);

TEST(EventEditor, UnusedYearAndMonthShowAStarAndComeBackWithThePresetDate) {
    EventEditor ed = newEventEditor(kToday, Date::serial(2024, 11, 5));
    EXPECT_EQ(ed.fields.forecast, "7");
    EXPECT_EQ(ed.fields.length, "1");
    EXPECT_EQ(ed.fields.year, "2024");

    setRepeatIndex(ed, 1, kToday);  // yearly: the year only counts for anniversaries
    EXPECT_EQ(ed.fields.year, "*");
    EXPECT_EQ(ed.fields.month, "11");
    setSpecial(ed, true, kToday);
    EXPECT_EQ(ed.fields.year, "2024");
    ed.fields.year = "1980";
    setRepeatIndex(ed, 2, kToday);
    EXPECT_EQ(ed.fields.year, "*");
    EXPECT_EQ(ed.fields.month, "*");
    setRepeatIndex(ed, 0, kToday);
    EXPECT_EQ(ed.fields.year, "2024");  // the preset, not what was typed before
    EXPECT_EQ(ed.fields.month, "11");

    EventEditor plain = newEventEditor(kToday);
    setRepeatIndex(plain, 3, kToday);
    setRepeatIndex(plain, 1, kToday);
    EXPECT_EQ(plain.fields.month, "3");  // no preset: the current month

    stepLength(plain, -1);
    EXPECT_EQ(plain.fields.length, "1");
    plain.fields.length = "9999";
    stepLength(plain, 1);
    EXPECT_EQ(plain.fields.length, "9999");
}

TEST(EventEditor, ControlsFollowTheRepeatKind) {
    StringTable s;
    s.table().add("dates_lbl_long3", "utolsó nap: $1");
    s.table().add("dates_lbl_long2", "(csak egyszeri)");
    s.table().add("main_month_0", "január");
    EditorViewContext ctx{kToday, &s, "/opt/tv/", [](const std::string&) { return true; }};
    EventEditor ed = newEventEditor(kToday, Date::serial(2025, 12, 30));
    ed.fields.length = "3";
    EditorView v = describeEditor(ed, ctx);
    EXPECT_TRUE(v.yearEnabled && v.monthEnabled && v.longControlsVisible);
    EXPECT_FALSE(v.monthsButtonEnabled || v.specialEnabled || v.sinceVisible);
    EXPECT_EQ(v.longText, "utolsó nap: 2026. január 1.");
    EXPECT_EQ(v.repeatItems.size(), 4u);

    setRepeatIndex(ed, 1, kToday);
    v = describeEditor(ed, ctx);
    EXPECT_TRUE(v.specialEnabled && v.monthEnabled);
    EXPECT_FALSE(v.yearEnabled || v.longControlsVisible || v.sinceVisible);
    EXPECT_EQ(v.longText, "(csak egyszeri)");
    setSpecial(ed, true, kToday);
    ed.fields.year = "2026";
    v = describeEditor(ed, ctx);
    EXPECT_TRUE(v.yearEnabled && v.sinceVisible);
    EXPECT_EQ(v.sinceText, "time_spent_no");  // the base date is still ahead

    setRepeatIndex(ed, 3, kToday);
    v = describeEditor(ed, ctx);
    EXPECT_TRUE(v.monthsButtonEnabled);
    EXPECT_FALSE(v.yearEnabled || v.monthEnabled || v.specialEnabled);

    EventEditor holiday = newEventEditor(kToday, {}, EditorForm::kHoliday);
    setRepeatIndex(holiday, 2, kToday);  // selected months
    v = describeEditor(holiday, ctx);
    EXPECT_EQ(v.repeatItems.size(), 3u);
    EXPECT_TRUE(v.specialEnabled && v.monthsButtonEnabled);
    EXPECT_FALSE(v.forecastFieldVisible || v.yearEnabled);
    EXPECT_EQ(v.specialCaption, "dates_nowork");
    EXPECT_EQ(editorRepeatKind(holiday), 3);
}

TEST(EventEditor, AFeastShowsItsExplanationAndAMissingPictureIsMarked) {
    EventTable table;
    table.addBuiltinEvent(2, 4, 4, 1, 1, "easter", "Húsvét", "", "<AppPath>/pictures/h.jpg");
    EventEditor ed = editEventEditor(table, 0, kToday);
    EditorViewContext ctx{kToday, nullptr, "/opt/tv/", [](const std::string&) { return false; }};
    EditorView v = describeEditor(ed, ctx);
    EXPECT_EQ(v.uniqueInfo, "dates_uniqueinfo");
    EXPECT_EQ(v.pictureLabel, "dates_lbl_bg_miss");
    EXPECT_FALSE(v.repeatEnabled || v.dayEnabled || v.alarmEnabled);
    EXPECT_TRUE(v.specialEnabled);
    EXPECT_EQ(v.specialCaption, "dates_cerem_active");
}

TEST(EventEditor, OpenModesPresetTheEditor) {
    EventTable table;
    table.addBuiltinEvent(1, 1, 1, 1, 1, "", "Újév", "", "");
    const Date day = Date::serial(2025, 5, 12);
    EXPECT_FALSE(editorForOpen(table, {EventListOpenMode::kList, day, -1, ""}, kToday));
    auto fresh = editorForOpen(table, {EventListOpenMode::kNewOnDate, day, -1, ""}, kToday);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->fields.day, "12");
    EXPECT_EQ(fresh->slot, -1);
    auto edit = editorForOpen(table, {EventListOpenMode::kEditSlot, {}, 0, ""}, kToday);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->form, EditorForm::kHoliday);
    EXPECT_FALSE(editorForOpen(table, {EventListOpenMode::kEditSlot, {}, 7, ""}, kToday));
    auto named =
        editorForOpen(table, {EventListOpenMode::kNewFromNameSearch, day, -1, "Pongrác"}, kToday);
    ASSERT_TRUE(named);
    EXPECT_EQ(editorRepeatKind(*named), 1);
    EXPECT_EQ(named->fields.name, "Pongrác");
    EXPECT_EQ(named->fields.year, "*");
    EXPECT_EQ(named->fields.month, "5");
    EXPECT_FALSE(editorHasChanges(*named));
}

TEST(EventEditor, CancelAsksOnlyWhenSomethingChanged) {
    StringTable s;
    FakeMessageBox box;
    EventEditor ed = newEventEditor(kToday);
    EXPECT_TRUE(confirmCancel(ed, box, s));
    EXPECT_TRUE(box.shown.empty());
    ed.fields.comment = "x";
    box.script = {MessageAnswer::kNo, MessageAnswer::kYes};
    EXPECT_FALSE(confirmCancel(ed, box, s));
    EXPECT_TRUE(confirmCancel(ed, box, s));
    EXPECT_EQ(box.shown[0].text, "dates_q_cancel");
}

TEST(EventEditor, PictureDialogStartsInTheLastFolderAndRemembersTheNewOne) {
    test::TempDir dir;
    HashTable settings;
    StringTable s;
    const std::string program = dir.dir();
    OpenFileRequest r = pictureDialogRequest(settings, program, s);
    EXPECT_EQ(r.startFolder, program + "pictures/");  // the fallback, even while missing
    EXPECT_EQ(r.title, "dates_selectbg");
    EXPECT_TRUE(r.initialName.empty());

    EventEditor ed = newEventEditor(kToday);
    setChosenPicture(ed, program + "pictures/nyar/to.jpg", settings, program);
    EXPECT_EQ(ed.fields.picture, "<AppPath>/pictures/nyar/to.jpg");
    EXPECT_EQ(settings.item("BGPic_LastDir"), program + "pictures/nyar/");
    std::filesystem::create_directories(program + "pictures/nyar");
    EXPECT_EQ(pictureDialogRequest(settings, program, s).startFolder, program + "pictures/nyar/");
}

}  // namespace
}  // namespace tv
