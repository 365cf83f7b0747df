#include "core/config/hash_table.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_message_box.h"

namespace tv {
namespace {

TEST(HashTable, ItemReadsWithoutAddingButItemAltStoresTheDefault) {
    HashTable t;
    EXPECT_EQ(t.Item("Skin"), "");
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.ItemAlt("Skin", "metal_big"), "metal_big");
    EXPECT_EQ(t.Count(), 1);
    EXPECT_EQ(t.Item("Skin"), "metal_big");
    EXPECT_EQ(t.ItemAlt("Skin", "other"), "metal_big");  // present: the default is not used
    EXPECT_EQ(t.Count(), 1);
}

TEST(HashTable, KeysAreCaseSensitiveUnlessFoldingIsOn) {
    HashTable t;
    EXPECT_EQ(t.Add("Skin", "a"), HashError::kNone);
    EXPECT_EQ(t.Add("skin", "b"), HashError::kNone);
    EXPECT_EQ(t.Count(), 2);
    EXPECT_EQ(t.SetIgnoreCase(true), HashError::kInvalid);  // not empty

    HashTable folded;
    EXPECT_EQ(folded.SetIgnoreCase(true), HashError::kNone);
    folded.Add("árvíz", "1");
    EXPECT_TRUE(folded.Exists("ÁRVÍZ"));
    EXPECT_EQ(folded.KeyByIndex(1), "ÁRVÍZ");
    EXPECT_EQ(folded.Add("Árvíz", "2"), HashError::kKeyExists);
}

TEST(HashTable, DuplicateAddShowsItsBoxAndLeavesTheTableAlone) {
    FakeMessageBox box;
    HashTable t;
    t.setMessageBox(&box);
    t.Add("k", "1");
    EXPECT_EQ(t.Add("k", "2"), HashError::kKeyExists);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "This key is already associated with an item of this collection!");
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(t.Item("k"), "1");
    EXPECT_EQ(t.Count(), 1);
}

TEST(HashTable, EmptyKeysAndAbsentRemovalsAreRefused) {
    HashTable t;
    EXPECT_EQ(t.Add("", "x"), HashError::kInvalid);
    EXPECT_EQ(t.SetItem("", "x"), HashError::kInvalid);
    EXPECT_EQ(t.ItemAlt("", "d"), "d");
    EXPECT_EQ(t.LastError(), HashError::kInvalid);
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.Remove("nope"), HashError::kInvalidArgument);
}

TEST(HashTable, EnumeratesInInsertionOrderAcrossGrowth) {
    HashTable t;
    for (int i = 0; i < 2049 + 1500; ++i)
        t.Add("key" + std::to_string(i), std::to_string(i));
    ASSERT_EQ(t.Count(), 3549);
    for (int i = 0; i < t.Count(); ++i) {
        ASSERT_EQ(t.KeyByIndex(i + 1), "key" + std::to_string(i));
        ASSERT_EQ(t.ItemByIndex(i + 1), std::to_string(i));
    }
    EXPECT_EQ(t.Item("key2048"), "2048");  // the 2049th addition
    EXPECT_EQ(t.KeyByIndex(0), "");
    EXPECT_EQ(t.KeyByIndex(-3), "");
}

TEST(HashTable, RemoveUnlinksFromTheChainAndTheSlotIsReusedNext) {
    HashTable t;
    t.SetSize(1, 4, 2);  // one bucket: every key shares the chain
    t.Add("a", "1");
    t.Add("b", "2");
    t.Add("c", "3");
    EXPECT_EQ(t.Remove("b"), HashError::kNone);
    EXPECT_FALSE(t.Exists("b"));
    EXPECT_TRUE(t.Exists("a"));
    EXPECT_TRUE(t.Exists("c"));
    EXPECT_EQ(t.Count(), 2);
    t.Add("d", "4");
    EXPECT_EQ(t.KeyByIndex(2), "d");  // the freed slot
    EXPECT_EQ(t.Remove("a"), HashError::kNone);
    EXPECT_EQ(t.Remove("c"), HashError::kNone);
    EXPECT_EQ(t.Item("d"), "4");
    // Growth by the small step keeps everything reachable.
    for (int i = 0; i < 20; ++i)
        t.Add("n" + std::to_string(i), "v");
    EXPECT_EQ(t.Count(), 21);
    EXPECT_TRUE(t.Exists("n19"));
}

TEST(HashTable, RemoveAllEmptiesTheTable) {
    HashTable t;
    t.Add("a", "1");
    t.RemoveAll();
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.KeyByIndex(1), "");
    EXPECT_FALSE(t.Exists("a"));
}

TEST(HashTable, HashIsTheXorOfLittleEndianWordsOfTheCodePageBytes) {
    EXPECT_EQ(HashTable::HashOf(""), 0u);
    EXPECT_EQ(HashTable::HashOf("A"), 0x41u);
    EXPECT_EQ(HashTable::HashOf("ABCD"), 0x44434241u);
    EXPECT_EQ(HashTable::HashOf("ABCDE"), 0x44434241u ^ 0x45u);
    // A key whose fourth byte is above 127 (an accented letter) still lands in a valid bucket.
    HashTable t;
    EXPECT_EQ(t.Add("abcő", "x"), HashError::kNone);
    EXPECT_EQ(HashTable::HashOf("abc\xF5") % 1024u, (0xF5636261u) % 1024u);
    EXPECT_EQ(t.Item("abcő"), "x");
}

}  // namespace
}  // namespace tv
