#include "core/sync/sync_store.h"

#include <gtest/gtest.h>

#include "core/sync/sync_binding.h"
#include "support/sync_machine.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

using test::TempDir;
using test::userEvent;

TEST(SyncStore, KeepsItemsTombstonesTokensAndConflictsAcrossOpenings) {
    TempDir dir;
    const std::string path = dir.file("sync.sqlite");
    const SyncItem item{"u1", "/cal/u1.ics", "\"e1\"", "BEGIN:VCALENDAR", "fp", "fp", "key", 0};
    {
        auto store = SyncStore::open(path);
        ASSERT_NE(store, nullptr);
        EXPECT_TRUE(store->putItem(item));
        EXPECT_TRUE(store->addTombstone("u2"));
        EXPECT_TRUE(store->setCollection({"/cal/", "ctag-1", "tok-1"}));
        EXPECT_TRUE(store->addConflict({0, "u1", "2025-01-01T12:00:00", "Fogorvos", "ics"}));
    }
    auto store = SyncStore::open(path);
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->items().size(), 1u);
    EXPECT_EQ(store->items()[0], item);
    EXPECT_EQ(store->tombstones(), std::vector<std::string>{"u2"});
    EXPECT_EQ(store->collection("/cal/").syncToken, "tok-1");
    ASSERT_EQ(store->conflicts().size(), 1u);
    EXPECT_TRUE(store->removeConflict(store->conflicts()[0].id));
    EXPECT_TRUE(store->conflicts().empty());
    EXPECT_TRUE(store->resetCollectionData());
    EXPECT_TRUE(store->items().empty());
    EXPECT_TRUE(store->collection("/cal/").syncToken.empty());
}

TEST(SyncStore, ATransactionLandsWholeOrNotAtAll) {
    TempDir dir;
    auto store = SyncStore::open(dir.file("sync.sqlite"));
    {
        StoreTransaction t(*store);
        store->addTombstone("a");
        store->addTombstone("b");
    }  // not committed
    EXPECT_TRUE(store->tombstones().empty());
    StoreTransaction t(*store);
    store->addTombstone("a");
    EXPECT_TRUE(t.commit());
    EXPECT_EQ(store->tombstones().size(), 1u);
}

TEST(SyncStore, AFileThatIsNotOursIsRefused) {
    TempDir dir;
    dir.write("junk.sqlite", std::string(4096, 'x'));
    std::string error;
    EXPECT_EQ(SyncStore::open(dir.file("junk.sqlite"), &error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(SyncStore::open(dir.file("missing-folder/sync.sqlite")), nullptr);
}

TEST(SyncBindingTest, SavesRecordDeletionsAndFindRecordsAgainAfterALoad) {
    test::SyncMachine m;
    const int a = m.add(userEvent("A", 2025, 1, 1));
    const int b = m.add(userEvent("B", 2025, 1, 2));
    m.binding().bind(a, "ua", {});
    m.binding().bind(b, "ub", {});
    for (const char* uid : {"ua", "ub"})
        m.store().putItem({uid, std::string("/cal/") + uid, "e", "", "", "", "", 0});
    m.edit(a, [](EventRecord& r) { r.comment = "x"; });  // the save notes the new fingerprint
    m.remove(b);
    EXPECT_EQ(m.store().tombstones(), std::vector<std::string>{"ub"});
    m.reload();
    EXPECT_EQ(m.binding().uidOf(0), "ua");
    EXPECT_FALSE(m.binding().uncertain());
}

TEST(SyncBindingTest, ReMatchTakesExactContentBeforeTheDuplicateKey) {
    test::SyncMachine m;
    EventRecord edited = userEvent("A", 2025, 1, 1);
    edited.comment = "new";
    const int s0 = m.add(edited);
    const int s1 = m.add(userEvent("A", 2025, 1, 1));
    const std::string fpPlain = fingerprint(userEvent("A", 2025, 1, 1));
    const std::string key = duplicateKey(edited);
    m.store().putItem({"exact", "/cal/e", "e", "", fpPlain, "gone", key, 0});
    m.store().putItem({"bykey", "/cal/k", "e", "", "other", "gone", key, 0});
    m.reload();
    EXPECT_TRUE(m.binding().uncertain());
    EXPECT_EQ(m.binding().rematch(m.table(), m.store()), 0);  // the load re-matched both
    EXPECT_EQ(m.binding().uidOf(s1), "exact");
    EXPECT_EQ(m.binding().uidOf(s0), "bykey");
}

}  // namespace
}  // namespace tv
