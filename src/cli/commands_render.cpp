// Today's page as a picture, without a window: the same load steps as the calendar window,
// composed into the main buffer and written as a PNG (for wallpapers and status bars). Only
// this command starts Qt, on its offscreen platform.
#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <memory>
#include <ostream>

#include "cli/calendar_handover.h"
#include "cli/cli_context.h"
#include "core/app/app_contexts.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/calc/today.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/events/forecast.h"
#include "core/events/month_events.h"
#include "core/names/name_table.h"
#include "core/names/picture_of_day.h"
#include "core/names/random_source.h"
#include "core/names/today_text.h"
#include "core/names/user_pictures.h"
#include "core/names/wisdom.h"
#include "core/ports/message_box.h"
#include "core/render/month_grid.h"
#include "core/render/picture_draw.h"
#include "core/render/screen.h"
#include "core/render/skin.h"
#include "platform/qt/qt_image_loader.h"
#include "platform/qt/qt_surface.h"

namespace tv::cli {
namespace {

// Skin errors have nobody to read a box: they go to stderr.
class StderrBox : public MessageBox {
public:
    explicit StderrBox(std::ostream& err) : err_(err) {}
    MessageAnswer show(const MessageRequest& r) override {
        err_ << "tempovirens-cli: " << plainText(r.text) << '\n';
        return MessageAnswer::kOk;
    }

private:
    std::ostream& err_;
};

struct RenderArgs {
    ScreenMode page = ScreenMode::kMain;
    int year = 0, month = 0;
    std::string skin;
    std::string output;
};

bool parseArgs(const Arguments& a, RenderArgs& r) {
    const std::string page = a.get("--page", "main");
    if (page == "main") {
        r.page = ScreenMode::kMain;
    } else if (page == "month") {
        r.page = ScreenMode::kMonth;
    } else if (page == "alarm") {
        r.page = ScreenMode::kAlarm;
    } else {
        return false;
    }
    if (a.has("--month")) {
        const std::string m = a.get("--month");
        auto d = m.size() == 7 ? parseIsoDateArg(m + "-01") : std::nullopt;
        if (!d) return false;
        r.year = d->year();
        r.month = d->month();
    }
    r.skin = a.get("--skin");
    r.output = a.get("-o");
    return !r.output.empty();
}

// The picture a window loaded now would show, chosen as the window chooses it: the rotation
// marks and the user picture list advance (the marks are saved unless `record` is false: a
// running calendar keeps its own). settings.cfg is not written, so a render does not count as an
// appearance of the calendar.
PictureOfDay choosePicture(CliContext& c, HashTable& settings, EventTable& table,
                           const EventDbContext& db, const EventLists& lists,
                           const TodayState& today, HashTable& theme, const ImageLoader& images,
                           bool record) {
    const DateTime now = c.clock.now();
    settings.setItem(settings::LastAppear.key, read(settings, settings::LastAppearNow));
    PictureDay day;
    day.now = now;
    day.season = today.season;
    day.firstAppearanceToday = read(settings, settings::LastRunToday) != isoDate(now.date);
    day.eventPicture = lists.dayPicture;

    RandomSource random(clockSeed(c.clock));
    UserPictureContext userContext;
    userContext.userDataDir = c.paths.userDataDir;
    userContext.picturesDir = c.paths.picturesDir;
    userContext.clock = &c.clock;
    UserPictureList userPictures(userContext);
    PictureContext ctx;
    ctx.settings = &settings;
    ctx.theme = &theme;
    ctx.strings = &c.strings();
    ctx.marks = &table.pictureMarks();
    ctx.random = &random;
    ctx.images = &images;
    ctx.userPictures = &userPictures;
    ctx.programDir = c.paths.programDir;
    PictureOfDay picture = loadPictureOfDay(false, day, ctx);
    if (picture.origin == PictureOrigin::kSeasonal && record) saveEventDatabase(table, db);
    // No window's timer finishes a listing the choice started.
    if (userPictures.searchTimerOn()) userPictures.completePictureList();
    return picture;
}

int renderCommand(CliContext& c, const Arguments& args) {
    RenderArgs ra;
    if (!parseArgs(args, ra)) return c.usage();

    static int qtArgc = 1;
    static char qtName[] = "tempovirens-cli";
    static char* qtArgv[] = {qtName, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(qtArgc, qtArgv);
    // A picture for a status bar or a wallpaper, made while the calendar runs, leaves the
    // calendar's rotation marks to it, quietly.
    WriteAccess access(c);
    const bool record = mayWriteHere(c, access);

    const StringTable& strings = c.strings();
    HashTable settings;
    const std::string settingsPath = c.paths.userDataDir + "settings.cfg";
    if (fileExists(settingsPath)) readConfig(settings, settingsPath);
    const DateTime now = c.clock.now();

    TodayState today;
    setTodayState(today, now, strings);
    EventTable table;
    StderrBox box(*c.err);
    createFolderPath(c.paths.userDataDir);
    const EventDbContext db =
        eventDbContextFor(c.paths.userDataDir, c.clock, strings, settings, &box);
    if (!loadEventDatabase(table, db))
        return c.fail("'" + c.paths.userDataDir + std::string(kEventDbName) +
                      "' could not be loaded");

    QtSurfaceFactory factory;
    QtImageLoader images;
    ImageLoadResult iconResult = ImageLoadResult::kOk;
    std::unique_ptr<Surface> icon =
        images.load(c.paths.programDir + "icons/tempovirens_16.png", iconResult);
    Screen sc;
    SkinServices sv;
    sv.factory = &factory;
    sv.images = &images;
    sv.settings = &settings;
    sv.strings = &strings;
    sv.box = &box;
    sv.programDir = c.paths.programDir;
    sv.icon = icon.get();
    std::string skinName = ra.skin.empty() ? read(settings, settings::Skin) : ra.skin;
    setSkin(sc.skin, skinName, false, sv);

    NameTable names;
    names.load(c.paths.programDir);
    const std::string todayText = buildTodayText(today, settings, strings, names);
    sc.todayText = &todayText;

    EventLists lists;
    EventCheckContext ev;
    ev.now = now;
    ev.settings = &settings;
    ev.strings = &strings;
    ev.easter = &today.easter;
    ev.programDir = c.paths.programDir;
    checkEvents(table, ev, lists);

    WisdomState wisdom;
    wisdom.text = read(settings, settings::LastWisdom);
    if (wisdom.text.empty()) {
        std::vector<uint8_t> marks = table.wisdomMarks();
        RandomSource random(static_cast<uint64_t>(now.date.serialNumber()));
        wisdom.text = chooseWisdom(c.paths.programDir, marks, random, nullptr).text;
    }
    // The box shows on the page the window opens with; switching pages closes it.
    wisdom.shown = !wisdom.text.empty() && ra.page == ScreenMode::kMain;

    PictureOfDay picture =
        choosePicture(c, settings, table, db, lists, today, sc.skin.theme, images, record);
    drawPictureOfDay(sc.skin, picture, images, strings);

    sc.settings = &settings;
    sc.strings = &strings;
    sc.today = &today;
    sc.forecast = &lists.forecast;
    sc.wisdom = &wisdom;
    sc.clock = &c.clock;
    LayoutTests tests;
    sc.tests = &tests;

    MonthEvents month;
    MonthContext mc = monthContextFor(today, settings, strings, names);
    mc.buildTooltips = false;
    initCalendarWindow(sc, table, mc, month);
    if (ra.page == ScreenMode::kMonth && ra.year > 0) {
        mc.year = ra.year;
        mc.month = ra.month;
        mc.theme = readMonthTheme(&sc.skin.theme);
        buildMonthEvents(table, mc, month);
    }
    if (ra.page == ScreenMode::kAlarm) {
        // The next alarm still to ring today or later; the layout sample without one.
        const AlarmEntry* next = nullptr;
        for (const AlarmEntry& a : lists.alarms)
            if (!a.passed && (!next || std::tie(a.year, a.month, a.day, a.hour, a.minute) <
                                           std::tie(next->year, next->month, next->day, next->hour,
                                                    next->minute)))
                next = &a;
        if (next) {
            sc.alarm = next;
        } else {
            tests.normalAlarm = true;
        }
    }
    redrawScreen(sc, ra.page);

    // The buttons are controls of their own on the window; the picture shows them up.
    auto& frame = static_cast<QtSurface&>(*sc.skin.mainBuffer);
    for (int i = 0; i < kButtonCount; ++i) {
        Rect look;
        const ButtonState& b = sc.skin.buttons[static_cast<size_t>(i)];
        if (b.visible && setButtonImage(sc.skin, i, 0, look))
            frame.copy(b.x, b.y, look.w, look.h, sc.skin.image(kImgButtons), look.x, look.y);
    }
    const QImage shaped = shapedWindowImage(frame.image(), sc.skin.window);
    if (!shaped.save(QString::fromStdString(ra.output), "PNG"))
        return c.fail("'" + ra.output + "' could not be written");
    if (c.json) {
        *c.out << "{\"file\":" << jsonString(ra.output) << ",\"width\":" << frame.width()
               << ",\"height\":" << frame.height() << ",\"skin\":" << jsonString(skinName) << "}\n";
    }
    return kExitOk;
}

void describeRender(CommandTree& t) {
    CLI::App& render = t.add("render", "a page of the calendar as a PNG picture, without a display",
                             renderCommand);
    render.footer(
        "The page is drawn with the skin and the data a window loaded now would show. The "
        "picture of the day advances its rotation as the window's would, unless a calendar "
        "runs.");
    addOption(render, "--page", "the main page (the default), the month grid, the alarm screen")
        ->type_name("main|month|alarm");
    addOption(render, "--month", "the month of the grid (default: this month)")
        ->type_name("YYYY-MM");
    addOption(render, "--skin", "a skin of the program folder's themes/ (default: yours)")
        ->type_name("NAME");
    t.reads(render, "--today");
    t.reads(render, "--now");
    addOption(render, "-o", "the picture to write")->required()->type_name("FILE.png");
}

const CommandRegistration kRender{describeRender};

}  // namespace
}  // namespace tv::cli
