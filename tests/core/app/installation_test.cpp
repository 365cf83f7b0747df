// The installation values of a start: written when they differ from the store's, in one commit.
#include <gtest/gtest.h>

#include "app_harness.h"
#include "core/app/startup.h"
#include "core/app/version.h"

namespace tv {
namespace {

using test::AppHarness;

TEST(Installation, FirstStartWritesAllValuesInOneCommitLaterStartsNone) {
    AppHarness h;
    startCalendar(h.ctx, "");
    EXPECT_EQ(h.store.commits, 1);
    EXPECT_EQ(h.store.getString("Tempovirens/Install_Dir"), h.platform.paths.programDir);
    EXPECT_EQ(h.store.getString("Tempovirens/Exe_Name"), "tempovirens");
    EXPECT_EQ(h.store.getInt("Tempovirens/versionMajor"), kVersionMajor);
    EXPECT_EQ(h.store.getInt("Tempovirens/versionMinor"), kVersionMinor);
    EXPECT_EQ(h.store.getInt("Tempovirens/versionRevision"), kVersionRevision);

    AppHarness again;
    again.platform.paths.programDir = h.platform.paths.programDir;
    again.store.values = h.store.values;
    startCalendar(again.ctx, "");
    EXPECT_EQ(again.store.commits, 0);
}

TEST(Installation, OnlyWhatChangedIsWritten) {
    AppHarness h;
    h.store.values = {{"Tempovirens/Install_Dir", std::string("/usr/old/")},
                      {"Tempovirens/Exe_Name", std::string("tempovirens")},
                      {"Tempovirens/versionMajor", int32_t{kVersionMajor}},
                      {"Tempovirens/versionMinor", int32_t{kVersionMinor}},
                      // Written as text by someone else: the number differs in kind.
                      {"Tempovirens/versionRevision", std::string("0")}};
    startCalendar(h.ctx, "");
    EXPECT_EQ(h.store.commits, 1);
    EXPECT_EQ(h.store.getString("Tempovirens/Install_Dir"), h.platform.paths.programDir);
    EXPECT_EQ(h.store.getInt("Tempovirens/versionRevision"), kVersionRevision);
}

TEST(Installation, AFailedWriteIsLoggedPerValueAndTheStartGoesOn) {
    AppHarness h;
    h.store.values = {{"Tempovirens/Exe_Name", std::string("tempovirens")}};
    h.store.failWrites = true;
    EXPECT_EQ(startCalendar(h.ctx, ""), MainOutcome::kLoaded);
    EXPECT_TRUE(h.logHas("  Error in 'fCheckProduct': cannot write Tempovirens/Install_Dir"));
    EXPECT_TRUE(h.logHas("  Error in 'fCheckProduct': cannot write Tempovirens/versionRevision"));
    EXPECT_FALSE(h.logHas("  Error in 'fCheckProduct': cannot write Tempovirens/Exe_Name"));
}

}  // namespace
}  // namespace tv
