#include "core/config/hash_table.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_message_box.h"

namespace tv {
namespace {

TEST(HashTable, ItemReadsWithoutAddingButItemAltStoresTheDefault) {
    HashTable t;
    EXPECT_EQ(t.item("Skin"), "");
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.itemAlt("Skin", "metal_big"), "metal_big");
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.item("Skin"), "metal_big");
    EXPECT_EQ(t.itemAlt("Skin", "other"), "metal_big");  // present: the default is not used
    EXPECT_EQ(t.count(), 1);
}

TEST(HashTable, KeysAreCaseSensitiveUnlessFoldingIsOn) {
    HashTable t;
    EXPECT_EQ(t.add("Skin", "a"), HashError::kNone);
    EXPECT_EQ(t.add("skin", "b"), HashError::kNone);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.setIgnoreCase(true), HashError::kInvalid);  // not empty

    HashTable folded;
    EXPECT_EQ(folded.setIgnoreCase(true), HashError::kNone);
    folded.add("árvíz", "1");
    EXPECT_TRUE(folded.exists("ÁRVÍZ"));
    EXPECT_EQ(folded.keyByIndex(1), "ÁRVÍZ");
    EXPECT_EQ(folded.add("Árvíz", "2"), HashError::kKeyExists);
}

TEST(HashTable, DuplicateAddShowsItsBoxAndLeavesTheTableAlone) {
    FakeMessageBox box;
    HashTable t;
    t.setMessageBox(&box);
    t.add("k", "1");
    EXPECT_EQ(t.add("k", "2"), HashError::kKeyExists);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "This key is already associated with an item of this collection!");
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(t.item("k"), "1");
    EXPECT_EQ(t.count(), 1);
}

TEST(HashTable, EmptyKeysAndAbsentRemovalsAreRefused) {
    HashTable t;
    EXPECT_EQ(t.add("", "x"), HashError::kInvalid);
    EXPECT_EQ(t.setItem("", "x"), HashError::kInvalid);
    EXPECT_EQ(t.itemAlt("", "d"), "d");
    EXPECT_EQ(t.lastError(), HashError::kInvalid);
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.remove("nope"), HashError::kInvalidArgument);
}

TEST(HashTable, EnumeratesInInsertionOrderAcrossGrowth) {
    HashTable t;
    for (int i = 0; i < 2049 + 1500; ++i)
        t.add("key" + std::to_string(i), std::to_string(i));
    ASSERT_EQ(t.count(), 3549);
    for (int i = 0; i < t.count(); ++i) {
        ASSERT_EQ(t.keyByIndex(i + 1), "key" + std::to_string(i));
        ASSERT_EQ(t.itemByIndex(i + 1), std::to_string(i));
    }
    EXPECT_EQ(t.item("key2048"), "2048");  // the 2049th addition
    EXPECT_EQ(t.keyByIndex(0), "");
    EXPECT_EQ(t.keyByIndex(-3), "");
}

// Below the capacity the slots are made as the table fills; a freed slot is still the next one
// handed out, and new ones follow the last made.
TEST(HashTable, SlotsMadeAsTheTableFillsKeepTheirOrder) {
    HashTable t;
    for (int i = 1; i <= 40; ++i)
        t.add("k" + std::to_string(i), "");
    ASSERT_EQ(t.remove("k5"), HashError::kNone);
    t.add("x", "");
    EXPECT_EQ(t.keyByIndex(5), "x");
    for (int i = 41; i <= 100; ++i)
        t.add("k" + std::to_string(i), "");
    for (int i = 41; i <= 100; ++i)
        ASSERT_EQ(t.keyByIndex(i), "k" + std::to_string(i));
    EXPECT_EQ(t.keyByIndex(101), "");
    t.removeAll();
    t.add("again", "");
    EXPECT_EQ(t.keyByIndex(1), "again");
}

TEST(HashTable, RemoveUnlinksFromTheChainAndTheSlotIsReusedNext) {
    HashTable t;
    t.setSize(1, 4, 2);  // one bucket: every key shares the chain
    t.add("a", "1");
    t.add("b", "2");
    t.add("c", "3");
    EXPECT_EQ(t.remove("b"), HashError::kNone);
    EXPECT_FALSE(t.exists("b"));
    EXPECT_TRUE(t.exists("a"));
    EXPECT_TRUE(t.exists("c"));
    EXPECT_EQ(t.count(), 2);
    t.add("d", "4");
    EXPECT_EQ(t.keyByIndex(2), "d");  // the freed slot
    EXPECT_EQ(t.remove("a"), HashError::kNone);
    EXPECT_EQ(t.remove("c"), HashError::kNone);
    EXPECT_EQ(t.item("d"), "4");
    // Growth by the small step keeps everything reachable, with its own value.
    for (int i = 0; i < 20; ++i)
        t.add("n" + std::to_string(i), "v" + std::to_string(i));
    EXPECT_EQ(t.count(), 21);
    EXPECT_EQ(t.item("d"), "4");
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(t.item("n" + std::to_string(i)), "v" + std::to_string(i)) << i;
    EXPECT_EQ(t.remove("n0"), HashError::kNone);
    EXPECT_FALSE(t.exists("n0"));
    for (int i = 1; i < 20; ++i)
        EXPECT_TRUE(t.exists("n" + std::to_string(i))) << i;
}

TEST(HashTable, GrowthLeavesTheChainOfTheLastSlotAlone) {
    HashTable t;
    t.setSize(1, 2, 2);
    t.add("a", "1");
    t.add("b", "2");
    t.remove("a");
    t.add("x", "3");  // the freed first slot, after "b" in the chain
    t.add("y", "4");  // full: grows past "b"'s slot
    EXPECT_EQ(t.item("b"), "2");
    EXPECT_EQ(t.item("x"), "3");
    EXPECT_EQ(t.item("y"), "4");
    EXPECT_EQ(t.count(), 3);
}

TEST(HashTable, RemoveAllEmptiesTheTable) {
    HashTable t;
    t.add("a", "1");
    t.removeAll();
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.keyByIndex(1), "");
    EXPECT_FALSE(t.exists("a"));
}

TEST(HashTable, HashIsTheXorOfLittleEndianWordsOfTheCodePageBytes) {
    EXPECT_EQ(HashTable::hashOf(""), 0u);
    EXPECT_EQ(HashTable::hashOf("A"), 0x41u);
    EXPECT_EQ(HashTable::hashOf("ABCD"), 0x44434241u);
    EXPECT_EQ(HashTable::hashOf("ABCDE"), 0x44434241u ^ 0x45u);
    // A key whose fourth byte is above 127 (an accented letter) still lands in a valid bucket.
    HashTable t;
    EXPECT_EQ(t.add("abcő", "x"), HashError::kNone);
    EXPECT_EQ(HashTable::hashOf("abc\xF5") % 1024u, (0xF5636261u) % 1024u);
    EXPECT_EQ(t.item("abcő"), "x");
}

}  // namespace
}  // namespace tv
