// The one associative container: text keys to text values, enumerated in insertion order.
//
// A chained hash table over two arrays: buckets hold the first slot of their chain, slots hold
// key, value and the next slot. New slots come from a free list, so adding never moves an entry
// and, as long as nothing is removed, slot i is the i-th key added.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class MessageBox;

// Result codes a caller can see.
enum class HashError : int {
    kNone = 0,
    kInvalidArgument = 5,  // Remove of an absent key
    kKeyExists = 457,      // Add of a present key
    kInvalid = 1001,       // empty key, or ignoreCase on a non-empty table
};

class HashTable {
public:
    static constexpr int32_t kDefaultBuckets = 1024;
    static constexpr int32_t kDefaultCapacity = 2048;
    static constexpr int32_t kDefaultGrowth = 1024;
    // Slots made at once when the table is set up; more are made as it fills.
    static constexpr int32_t kFirstSlots = 32;

    HashTable();

    // Where a duplicate Add shows its message; none in tests that do not care.
    void setMessageBox(MessageBox* box) { box_ = box; }

    bool ignoreCase() const { return ignoreCase_; }
    HashError setIgnoreCase(bool on);

    // Values <= 0 keep the current capacity and growth; the bucket count is always taken
    // (a non-positive one falls back to the default so hashing stays defined).
    void setSize(int32_t buckets, int32_t capacity, int32_t growth);

    bool exists(std::string_view key) const;
    HashError add(std::string_view key, std::string_view value);
    // The value, or the empty text when the key is absent (nothing is added).
    std::string item(std::string_view key) const;
    // The value when present; otherwise the key is added with `def` and `def` returned.
    std::string itemAlt(std::string_view key, std::string_view def);
    // Sets the value, adding the key when absent.
    HashError setItem(std::string_view key, std::string_view value);
    // 1-based slot index; the empty text below 1 or beyond the slot array.
    const std::string& itemByIndex(int32_t index) const;
    const std::string& keyByIndex(int32_t index) const;
    HashError remove(std::string_view key);
    void removeAll();
    int32_t count() const { return count_; }

    // The last error of an operation that returns a value (Item, itemAlt, Exists).
    HashError lastError() const { return lastError_; }

    static uint32_t hashOf(std::string_view cp1250Key);

private:
    struct Slot {
        std::string key;
        std::string value;
    };
    // The chain links live apart from the texts, so a lookup walks a compact array.
    struct Link {
        int32_t next = 0;
        uint32_t hash = 0;  // full hash of the key, to skip most text comparisons
    };
    struct Found {
        int32_t slot = 0;  // 0 = not found
        int32_t last = 0;  // last slot of the chain walked
        uint32_t bucket = 0;
        uint32_t hash = 0;
    };

    Found find(std::string_view key) const;
    int32_t create(const Found& f, std::string_view key);
    void grow(int32_t n);
    uint32_t bucketOf(uint32_t hash) const;

    std::vector<int32_t> buckets_;
    std::vector<Slot> slots_;
    std::vector<Link> links_;  // parallel to slots_
    uint64_t bucketMagic_ = 0;
    int32_t freeHead_ = 0;
    int32_t capacity_ = kDefaultCapacity;
    int32_t growth_ = kDefaultGrowth;
    int32_t count_ = 0;
    bool ignoreCase_ = false;
    mutable HashError lastError_ = HashError::kNone;
    MessageBox* box_ = nullptr;
};

}  // namespace tv
