// The picture of the day from the command line: the picture a window loaded now would show.
//
// It chooses as the window does, from the user's settings and events: the rotation marks in
// "events.cdb" and the user picture list advance as they would. settings.cfg is left alone, so
// the command does not count as an appearance of the calendar.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/calendar_handover.h"
#include "cli/cli_context.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/calc/today.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/events/forecast.h"
#include "core/names/picture_of_day.h"
#include "core/names/random_source.h"
#include "core/names/user_pictures.h"

namespace tv::cli {
namespace {

std::string_view originName(PictureOrigin origin) {
    switch (origin) {
        case PictureOrigin::kEvent:
            return "event";
        case PictureOrigin::kKept:
            return "kept";
        case PictureOrigin::kSeasonal:
            return "seasonal";
        case PictureOrigin::kUser:
            return "user";
        case PictureOrigin::kNone:
            break;
    }
    return "none";
}

int pictureCommand(CliContext& c, const Arguments&) {
    const std::string& dir = c.paths.userDataDir;
    if (!createFolderPath(dir)) {
        return c.fail("cannot create the user data folder '" + dir + "'");
    }
    WriteAccess access(c);
    const bool record = mayWriteHere(c, access);
    HashTable settings;
    if (fileExists(dir + "settings.cfg")) readConfig(settings, dir + "settings.cfg");
    const EventDbContext db = eventDbContextFor(dir, c.clock, c.strings(), settings);
    EventTable table;
    if (!loadEventDatabase(table, db)) return c.fail("events.cdb cannot be read");

    const DateTime now = c.clock.now();
    EventCheckContext check;
    check.now = now;
    check.settings = &settings;
    check.strings = &c.strings();
    check.programDir = c.paths.programDir;
    EventLists lists;
    checkEvents(table, check, lists);

    // What the last-run check of a load would find: the previous appearance, and whether the
    // calendar already appeared today.
    settings.setItem(settings::LastAppear.key, read(settings, settings::LastAppearNow));
    PictureDay day;
    day.now = now;
    day.season = seasonOfMonth(now.date.month());
    day.firstAppearanceToday = read(settings, settings::LastRunToday) != isoDate(now.date);
    day.eventPicture = lists.dayPicture;

    RandomSource random(clockSeed(c.clock));
    UserPictureContext userContext;
    userContext.userDataDir = dir;
    userContext.picturesDir = c.paths.picturesDir;
    userContext.clock = &c.clock;
    UserPictureList userPictures(userContext);
    PictureContext ctx;
    ctx.settings = &settings;
    ctx.strings = &c.strings();
    ctx.marks = &table.pictureMarks();
    ctx.random = &random;
    ctx.userPictures = &userPictures;
    ctx.programDir = c.paths.programDir;
    const PictureOfDay picture = loadPictureOfDay(false, day, ctx);

    if (picture.origin == PictureOrigin::kSeasonal) {
        if (!record) {
            *c.err << kNotRecorded << '\n';
        } else if (!saveEventDatabase(table, db)) {
            return c.fail("events.cdb could not be saved");
        }
    }
    const std::string error = plainText(picture.errorText);
    if (c.json) {
        *c.out << "{\"path\":" << jsonString(picture.path)
               << ",\"origin\":" << jsonString(originName(picture.origin))
               << ",\"error\":" << jsonString(error) << ",\"title\":" << jsonString(picture.title)
               << "}\n";
    } else {
        *c.out << (error.empty() ? picture.path : error) << '\n';
    }
    c.out->flush();
    // A rebuilt list is finished here: there is no window whose timer would do it.
    if (userPictures.searchTimerOn()) userPictures.completePictureList();
    return error.empty() ? kExitOk : kExitFailure;
}

void describePicture(CommandTree& t) {
    CLI::App& picture =
        t.add("picture", "the picture of the day: the file a window loaded now would show",
              pictureCommand);
    picture.footer(
        "The choice advances the picture rotation and the list of your own pictures as the "
        "window's would, unless a calendar runs: it keeps its own. settings.cfg is left alone.");
    t.reads(picture, "--today");
    t.reads(picture, "--now");
    t.reads(picture, "--json");
}

}  // namespace

const CommandRegistration kPicture{describePicture};

}  // namespace tv::cli
