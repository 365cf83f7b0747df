#include "core/sync/sync_plan.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

using A = SyncAction;
using L = LocalSide;
using R = RemoteSide;

struct DecideCase {
    LocalSide local;
    RemoteSide remote;
    SyncAction normal;
    SyncAction noDeletes;
};

// Every (local, remote) pair of a known object, in a normal run and after an uncertain binding.
TEST(SyncDecide, EveryLocalRemoteCase) {
    const DecideCase cases[] = {
        {L::kUnchanged, R::kUnchanged, A::kNothing, A::kNothing},
        {L::kUnchanged, R::kChanged, A::kDownload, A::kDownload},
        {L::kUnchanged, R::kAbsent, A::kDeleteLocal, A::kRecreateRemote},
        {L::kChanged, R::kUnchanged, A::kUpload, A::kUpload},
        {L::kChanged, R::kChanged, A::kMerge, A::kMerge},
        {L::kChanged, R::kAbsent, A::kRecreateRemote, A::kRecreateRemote},
        {L::kDeleted, R::kUnchanged, A::kDeleteRemote, A::kNothing},
        {L::kDeleted, R::kChanged, A::kRecreateLocal, A::kRecreateLocal},
        {L::kDeleted, R::kAbsent, A::kForget, A::kForget},
        {L::kMissing, R::kUnchanged, A::kRecreateLocal, A::kRecreateLocal},
        {L::kMissing, R::kChanged, A::kRecreateLocal, A::kRecreateLocal},
        {L::kMissing, R::kAbsent, A::kForget, A::kForget},
    };
    for (const DecideCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "local " << int(c.local) << " remote " << int(c.remote));
        EXPECT_EQ(decide(c.local, c.remote, false), c.normal);
        EXPECT_EQ(decide(c.local, c.remote, true), c.noDeletes);
    }
}

PlanInput oneKnown() {
    PlanInput in;
    in.base.push_back({"u1", "/cal/u1.ics", "\"e1\"", "fp1", false});
    in.local.push_back({4, "u1", "fp1", "key1"});
    return in;
}

TEST(SyncPlan, BaseSidesComeFromFingerprintsEtagsAndListings) {
    PlanInput in = oneKnown();
    EXPECT_TRUE(planSync(in).empty());

    in.local[0].fingerprint = "fp2";
    ASSERT_EQ(planSync(in).size(), 1u);
    EXPECT_EQ(planSync(in)[0].action, A::kUpload);
    EXPECT_EQ(planSync(in)[0].slot, 4);

    in.changed.push_back({"/cal/u1.ics", "\"e2\"", "u1", "key1", false});
    EXPECT_EQ(planSync(in)[0].action, A::kMerge);
    EXPECT_EQ(planSync(in)[0].remote, 0);

    // The same ETag again (our own write listed back) is no change.
    in.changed[0].etag = "\"e1\"";
    EXPECT_EQ(planSync(in)[0].action, A::kUpload);

    in.removedHrefs.push_back("/cal/u1.ics");
    EXPECT_EQ(planSync(in)[0].action, A::kRecreateRemote);
}

TEST(SyncPlan, TombstonesAndMissingBindings) {
    PlanInput in = oneKnown();
    in.local.clear();
    EXPECT_EQ(planSync(in)[0].action, A::kRecreateLocal);  // lost, not deleted: comes back
    in.tombstones.push_back("u1");
    EXPECT_EQ(planSync(in)[0].action, A::kDeleteRemote);
    in.noDeletes = true;
    EXPECT_TRUE(planSync(in).empty());  // the deletion waits for a run we can trust
}

TEST(SyncPlan, NewOnBothSidesMeetByUidThenDuplicateKeyNeverTwice) {
    PlanInput in;
    in.local.push_back({0, "", "fa", "birthday|1|5-3"});
    in.local.push_back({1, "tv-x@tempovirens", "fb", "other"});
    in.local.push_back({2, "", "fc", "lonely"});
    in.changed.push_back({"/cal/a.ics", "\"1\"", "phone-a", "birthday|1|5-3", false});
    in.changed.push_back({"/cal/x.ics", "\"2\"", "tv-x@tempovirens", "changed-key", false});
    in.changed.push_back({"/cal/n.ics", "\"3\"", "phone-n", "new", false});
    in.changed.push_back({"/cal/t.ics", "\"4\"", "phone-t", "", true});

    const std::vector<PlannedAction> plan = planSync(in);
    ASSERT_EQ(plan.size(), 5u);
    EXPECT_EQ(plan[0], (PlannedAction{A::kBindDuplicate, "phone-a", 0, 0, -1}));
    EXPECT_EQ(plan[1], (PlannedAction{A::kBindDuplicate, "tv-x@tempovirens", 1, 1, -1}));
    EXPECT_EQ(plan[2], (PlannedAction{A::kUploadNew, "", 2, -1, -1}));
    EXPECT_EQ(plan[3], (PlannedAction{A::kDownloadNew, "phone-n", -1, 2, -1}));
    EXPECT_EQ(plan[4], (PlannedAction{A::kSkipUnfit, "phone-t", -1, 3, -1}));
}

TEST(SyncPlan, TwoLocalTwinsTakeOneServerTwinEach) {
    PlanInput in;
    in.local.push_back({0, "", "f1", "same"});
    in.local.push_back({1, "", "f2", "same"});
    in.changed.push_back({"/cal/a.ics", "\"1\"", "a", "same", false});
    const std::vector<PlannedAction> plan = planSync(in);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].action, A::kBindDuplicate);
    EXPECT_EQ(plan[1].action, A::kUploadNew);
}

TEST(SyncPlan, UnfitObjectsFollowTheServerOnly) {
    PlanInput in;
    in.base.push_back({"w", "/cal/w.ics", "\"1\"", "", true});
    EXPECT_TRUE(planSync(in).empty());
    in.changed.push_back({"/cal/w.ics", "\"2\"", "w", "", true});
    EXPECT_EQ(planSync(in)[0].action, A::kSkipUnfit);
    in.changed[0] = {"/cal/w.ics", "\"2\"", "w", "now-fits", false};
    EXPECT_EQ(planSync(in)[0].action, A::kRecreateLocal);
    in.changed.clear();
    in.removedHrefs.push_back("/cal/w.ics");
    EXPECT_EQ(planSync(in)[0].action, A::kForget);
}

TEST(SyncPlan, ACopyThatTurnedUnreadableNeverOverwritesOurRecord) {
    PlanInput in = oneKnown();
    in.changed.push_back({"/cal/u1.ics", "\"e2\"", "u1", "", true});
    EXPECT_EQ(planSync(in)[0].action, A::kSkipUnfit);
}

TEST(SyncPlan, CountsDeletesPerSide) {
    std::vector<PlannedAction> plan(3);
    plan[0].action = A::kDeleteLocal;
    plan[1].action = A::kDeleteRemote;
    plan[2].action = A::kDeleteRemote;
    EXPECT_EQ(countDeletes(plan).local, 1);
    EXPECT_EQ(countDeletes(plan).remote, 2);
}

}  // namespace
}  // namespace tv
