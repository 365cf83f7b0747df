// The planner over every combination of what the table holds, what the server lists and what
// both held after the last run, built as whole plan inputs rather than through decide() alone.
#include <gtest/gtest.h>

#include <vector>

#include "core/sync/sync_plan.h"

namespace tv {
namespace {

using A = SyncAction;

enum class Base : uint8_t { kNone, kFit, kUnfit };
enum class Local : uint8_t {
    kNone,       // no record, no tombstone
    kUnchanged,  // bound, as synced
    kChanged,    // bound, edited since
    kDeleted,    // a tombstone
    kNew,        // unbound, never synced
    kNewSameUid  // unbound here, but its earlier write reached the server under this UID
};
enum class Remote : uint8_t {
    kNone,          // not listed: unchanged if known, absent if new
    kSameEtag,      // listed with the base's ETag (our own write coming back)
    kChanged,       // a new ETag
    kChangedUnfit,  // a new ETag on something the table cannot hold
    kRemoved,       // listed as gone
    kNewSameKey,    // new, the same event by the editor's duplicate rule
    kNewOtherKey,   // new and different
    kNewUnfit,      // new, cannot be held
};

struct Case {
    Base base;
    Local local;
    Remote remote;
    bool noDeletes;
    std::vector<SyncAction> plan;
};

const char* const kUid = "u1";
const char* const kHref = "/cal/u1.ics";
const char* const kKey = "nap|0|2025-1-1";

PlanInput inputFor(const Case& c) {
    PlanInput in;
    in.noDeletes = c.noDeletes;
    if (c.base != Base::kNone)
        in.base.push_back({kUid, kHref, "\"e1\"", "fp1", c.base == Base::kUnfit});
    switch (c.local) {
        case Local::kNone:
            break;
        case Local::kUnchanged:
            in.local.push_back({3, kUid, "fp1", kKey});
            break;
        case Local::kChanged:
            in.local.push_back({3, kUid, "fp2", kKey});
            break;
        case Local::kDeleted:
            in.tombstones.push_back(kUid);
            break;
        case Local::kNew:
            in.local.push_back({3, "", "fp3", kKey});
            break;
        case Local::kNewSameUid:
            in.local.push_back({3, "lost@tempovirens", "fp3", "renamed"});
            break;
    }
    const std::string newHref = "/cal/new.ics";
    switch (c.remote) {
        case Remote::kNone:
            break;
        case Remote::kSameEtag:
            in.changed.push_back({kHref, "\"e1\"", kUid, kKey, false});
            break;
        case Remote::kChanged:
            in.changed.push_back({kHref, "\"e2\"", kUid, kKey, false});
            break;
        case Remote::kChangedUnfit:
            in.changed.push_back({kHref, "\"e2\"", kUid, "", true});
            break;
        case Remote::kRemoved:
            in.removedHrefs.push_back(kHref);
            break;
        case Remote::kNewSameKey:
            in.changed.push_back({newHref, "\"n\"", "phone-1", kKey, false});
            break;
        case Remote::kNewOtherKey:
            in.changed.push_back({newHref, "\"n\"", "phone-1", "other", false});
            break;
        case Remote::kNewUnfit:
            in.changed.push_back({newHref, "\"n\"", "phone-1", "", true});
            break;
    }
    if (c.local == Local::kNewSameUid && c.remote == Remote::kNewOtherKey)
        in.changed.back().uid = "lost@tempovirens";
    return in;
}

std::vector<SyncAction> actionsOf(const std::vector<PlannedAction>& plan) {
    std::vector<SyncAction> out;
    for (const PlannedAction& a : plan)
        out.push_back(a.action);
    return out;
}

TEST(SyncPlanTable, EveryLocalRemoteBaseCombination) {
    using B = Base;
    using L = Local;
    using R = Remote;
    const std::vector<Case> cases = {
        // Known on both sides.
        {B::kFit, L::kUnchanged, R::kNone, false, {}},
        {B::kFit, L::kUnchanged, R::kSameEtag, false, {}},
        {B::kFit, L::kUnchanged, R::kChanged, false, {A::kDownload}},
        {B::kFit, L::kUnchanged, R::kChangedUnfit, false, {A::kSkipUnfit}},
        {B::kFit, L::kUnchanged, R::kRemoved, false, {A::kDeleteLocal}},
        {B::kFit, L::kChanged, R::kNone, false, {A::kUpload}},
        {B::kFit, L::kChanged, R::kSameEtag, false, {A::kUpload}},
        {B::kFit, L::kChanged, R::kChanged, false, {A::kMerge}},
        {B::kFit, L::kChanged, R::kChangedUnfit, false, {A::kSkipUnfit}},
        {B::kFit, L::kChanged, R::kRemoved, false, {A::kRecreateRemote}},
        {B::kFit, L::kDeleted, R::kNone, false, {A::kDeleteRemote}},
        {B::kFit, L::kDeleted, R::kSameEtag, false, {A::kDeleteRemote}},
        {B::kFit, L::kDeleted, R::kChanged, false, {A::kRecreateLocal}},
        {B::kFit, L::kDeleted, R::kChangedUnfit, false, {A::kSkipUnfit}},
        {B::kFit, L::kDeleted, R::kRemoved, false, {A::kForget}},
        {B::kFit, L::kNone, R::kNone, false, {A::kRecreateLocal}},
        {B::kFit, L::kNone, R::kChanged, false, {A::kRecreateLocal}},
        {B::kFit, L::kNone, R::kChangedUnfit, false, {A::kSkipUnfit}},
        {B::kFit, L::kNone, R::kRemoved, false, {A::kForget}},
        // After an uncertain binding nothing is deleted: what would be stays or comes back.
        {B::kFit, L::kUnchanged, R::kNone, true, {}},
        {B::kFit, L::kUnchanged, R::kChanged, true, {A::kDownload}},
        {B::kFit, L::kUnchanged, R::kRemoved, true, {A::kRecreateRemote}},
        {B::kFit, L::kChanged, R::kNone, true, {A::kUpload}},
        {B::kFit, L::kChanged, R::kChanged, true, {A::kMerge}},
        {B::kFit, L::kChanged, R::kRemoved, true, {A::kRecreateRemote}},
        {B::kFit, L::kDeleted, R::kNone, true, {}},
        {B::kFit, L::kDeleted, R::kChanged, true, {A::kRecreateLocal}},
        {B::kFit, L::kDeleted, R::kRemoved, true, {A::kForget}},
        {B::kFit, L::kNone, R::kNone, true, {A::kRecreateLocal}},
        {B::kFit, L::kNone, R::kRemoved, true, {A::kForget}},
        // A known server object the table never held follows the server only.
        {B::kUnfit, L::kNone, R::kNone, false, {}},
        {B::kUnfit, L::kNone, R::kSameEtag, false, {}},
        {B::kUnfit, L::kNone, R::kChanged, false, {A::kRecreateLocal}},
        {B::kUnfit, L::kNone, R::kChangedUnfit, false, {A::kSkipUnfit}},
        {B::kUnfit, L::kNone, R::kRemoved, false, {A::kForget}},
        {B::kUnfit, L::kDeleted, R::kChangedUnfit, false, {A::kSkipUnfit}},
        // New on one side or both.
        {B::kNone, L::kNone, R::kNone, false, {}},
        {B::kNone, L::kNone, R::kNewSameKey, false, {A::kDownloadNew}},
        {B::kNone, L::kNone, R::kNewUnfit, false, {A::kSkipUnfit}},
        {B::kNone, L::kNew, R::kNone, false, {A::kUploadNew}},
        {B::kNone, L::kNew, R::kNewSameKey, false, {A::kBindDuplicate}},
        {B::kNone, L::kNew, R::kNewOtherKey, false, {A::kUploadNew, A::kDownloadNew}},
        {B::kNone, L::kNew, R::kNewUnfit, false, {A::kUploadNew, A::kSkipUnfit}},
        {B::kNone, L::kNewSameUid, R::kNone, false, {A::kUploadNew}},
        {B::kNone, L::kNewSameUid, R::kNewOtherKey, false, {A::kBindDuplicate}},
        {B::kNone, L::kDeleted, R::kNone, false, {}},
        {B::kNone, L::kDeleted, R::kNewOtherKey, false, {A::kDownloadNew}},
        {B::kNone, L::kNew, R::kNewSameKey, true, {A::kBindDuplicate}},
        // The base known, and a new object beside it that is the same event as our record.
        {B::kFit, L::kChanged, R::kNewSameKey, false, {A::kUpload, A::kDownloadNew}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "base " << int(c.base) << " local " << int(c.local) << " remote "
                     << int(c.remote) << (c.noDeletes ? " no deletes" : ""));
        const std::vector<PlannedAction> plan = planSync(inputFor(c));
        EXPECT_EQ(actionsOf(plan), c.plan);
        for (const PlannedAction& a : plan) {
            // Every action names the local record or the server object it works on.
            EXPECT_TRUE(a.slot >= 0 || a.remote >= 0 || a.base >= 0);
            if (a.action == A::kUpload || a.action == A::kMerge || a.action == A::kUploadNew) {
                EXPECT_EQ(a.slot, 3);
            }
        }
    }
}

}  // namespace
}  // namespace tv
