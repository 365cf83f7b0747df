#include "core/config/hash_table.h"

#include <algorithm>
#include <cstring>

#include "core/config/cp1250.h"
#include "core/ports/message_box.h"

namespace tv {
namespace {

const std::string kEmpty;

bool isAscii(std::string_view s) {
    uint64_t high = 0;
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        high |= w;
    }
    for (; i < s.size(); ++i)
        high |= static_cast<unsigned char>(s[i]);
    return (high & 0x8080808080808080ULL) == 0;
}

// Upper case of the letters the code page holds; everything else stays.
char32_t upperOf(char32_t cp) {
    if (cp >= 'a' && cp <= 'z') return cp - 32;
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
    static constexpr char32_t kPairs[][2] = {
        {0x103, 0x102}, {0x105, 0x104}, {0x107, 0x106}, {0x10D, 0x10C}, {0x10F, 0x10E},
        {0x111, 0x110}, {0x119, 0x118}, {0x11B, 0x11A}, {0x13A, 0x139}, {0x13E, 0x13D},
        {0x142, 0x141}, {0x144, 0x143}, {0x148, 0x147}, {0x151, 0x150}, {0x155, 0x154},
        {0x159, 0x158}, {0x15B, 0x15A}, {0x15F, 0x15E}, {0x161, 0x160}, {0x163, 0x162},
        {0x165, 0x164}, {0x16F, 0x16E}, {0x171, 0x170}, {0x17A, 0x179}, {0x17C, 0x17B},
        {0x17E, 0x17D}};
    for (const auto& p : kPairs) {
        if (p[0] == cp) return p[1];
    }
    return cp;
}

std::string upper(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    while (pos < s.size())
        appendUtf8(out, upperOf(nextCodePoint(s, pos)));
    return out;
}

}  // namespace

HashTable::HashTable() {
    setSize(kDefaultBuckets, kDefaultCapacity, kDefaultGrowth);
}

HashError HashTable::setIgnoreCase(bool on) {
    if (count_ != 0) return HashError::kInvalid;  // "The Hash Table isn't empty"
    ignoreCase_ = on;
    return HashError::kNone;
}

void HashTable::setSize(int32_t buckets, int32_t capacity, int32_t growth) {
    if (capacity > 0) capacity_ = capacity;
    if (growth > 0) growth_ = growth;
    if (buckets <= 0) buckets = kDefaultBuckets;
    buckets_.assign(static_cast<size_t>(buckets), 0);
    // Lemire's fast remainder: the same bucket as h % count, without a division per lookup.
    bucketMagic_ = ~uint64_t{0} / static_cast<uint64_t>(buckets) + 1;
    slots_.assign(1, Slot{});
    links_.assign(1, Link{});
    freeHead_ = 0;
    count_ = 0;
    grow(std::min(capacity_, kFirstSlots));
}

void HashTable::removeAll() {
    setSize(static_cast<int32_t>(buckets_.size()), capacity_, growth_);
}

uint32_t HashTable::hashOf(std::string_view key) {
    // The XOR of the little-endian 32-bit words, the last one padded with zeros. Folding 64-bit
    // words gives the same value in half the steps.
    uint64_t h = 0;
    size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, key.data() + i, 8);
        h ^= w;
    }
    uint64_t last = 0;
    std::memcpy(&last, key.data() + i, key.size() - i);
    h ^= last;
    return static_cast<uint32_t>(h) ^ static_cast<uint32_t>(h >> 32);
}

__extension__ using Uint128 = unsigned __int128;

uint32_t HashTable::bucketOf(uint32_t hash) const {
    const uint64_t low = bucketMagic_ * hash;
    return static_cast<uint32_t>((Uint128{low} * buckets_.size()) >> 64);
}

HashTable::Found HashTable::find(std::string_view key) const {
    Found f;
    std::string folded;
    if (ignoreCase_) {
        folded = upper(key);
        key = folded;
    }
    // Keys hash over their Windows-1250 bytes; plain ASCII keys are those bytes already.
    uint32_t h = isAscii(key) ? hashOf(key) : hashOf(utf8ToCp1250(key));
    f.hash = h;
    f.bucket = bucketOf(h);
    for (int32_t s = buckets_[f.bucket]; s != 0; s = links_[static_cast<size_t>(s)].next) {
        // Chain mates usually differ in the full hash; compare texts only when it matches.
        if (links_[static_cast<size_t>(s)].hash == h && slots_[static_cast<size_t>(s)].key == key) {
            f.slot = s;
            return f;
        }
        f.last = s;
    }
    return f;
}

// `n` > 0: capacity and growth are kept positive by setSize.
void HashTable::grow(int32_t n) {
    auto c = static_cast<int32_t>(slots_.size()) - 1;
    slots_.resize(slots_.size() + static_cast<size_t>(n));
    links_.resize(slots_.size());
    for (int32_t i = c + 1; i < c + n; ++i)
        links_[static_cast<size_t>(i)].next = i + 1;
    links_[static_cast<size_t>(c) + static_cast<size_t>(n)].next = freeHead_;
    freeHead_ = c + 1;
}

int32_t HashTable::create(const Found& f, std::string_view key) {
    if (freeHead_ == 0) {
        // Up to the capacity the slots double as they fill, so a table of twenty settings does
        // not hold two thousand empty ones; beyond it they grow by the growth step. Slots are
        // handed out in the same order either way.
        const auto made = static_cast<int32_t>(slots_.size()) - 1;
        grow(made < capacity_ ? std::min(made, capacity_ - made) : growth_);
    }
    int32_t s = freeHead_;
    Slot& slot = slots_[static_cast<size_t>(s)];
    Link& link = links_[static_cast<size_t>(s)];
    freeHead_ = link.next;
    link.next = 0;
    link.hash = f.hash;
    slot.key = ignoreCase_ ? upper(key) : std::string(key);
    slot.value.clear();
    ++count_;
    if (f.last == 0) {
        buckets_[f.bucket] = s;
    } else {
        links_[static_cast<size_t>(f.last)].next = s;
    }
    return s;
}

bool HashTable::exists(std::string_view key) const {
    lastError_ = key.empty() ? HashError::kInvalid : HashError::kNone;
    return !key.empty() && find(key).slot != 0;
}

HashError HashTable::add(std::string_view key, std::string_view value) {
    if (key.empty()) return HashError::kInvalid;  // "Invalid key"
    Found f = find(key);
    if (f.slot != 0) {
        if (box_ != nullptr) {
            box_->show({"This key is already associated with an item of this collection!", "",
                        MessageButtons::kOk, MessageIcon::kCritical});
        }
        return HashError::kKeyExists;
    }
    slots_[static_cast<size_t>(create(f, key))].value = value;
    return HashError::kNone;
}

std::string HashTable::item(std::string_view key) const {
    lastError_ = HashError::kNone;
    if (key.empty()) {
        lastError_ = HashError::kInvalid;
        return {};
    }
    Found f = find(key);
    return f.slot != 0 ? slots_[static_cast<size_t>(f.slot)].value : std::string();
}

std::string HashTable::itemAlt(std::string_view key, std::string_view def) {
    lastError_ = HashError::kNone;
    if (key.empty()) {
        lastError_ = HashError::kInvalid;
        return std::string(def);
    }
    Found f = find(key);
    if (f.slot != 0) return slots_[static_cast<size_t>(f.slot)].value;
    slots_[static_cast<size_t>(create(f, key))].value = def;
    return std::string(def);
}

HashError HashTable::setItem(std::string_view key, std::string_view value) {
    if (key.empty()) return HashError::kInvalid;
    Found f = find(key);
    int32_t s = f.slot != 0 ? f.slot : create(f, key);
    slots_[static_cast<size_t>(s)].value = value;
    return HashError::kNone;
}

const std::string& HashTable::itemByIndex(int32_t index) const {
    if (index < 1 || static_cast<size_t>(index) >= slots_.size()) return kEmpty;
    return slots_[static_cast<size_t>(index)].value;
}

const std::string& HashTable::keyByIndex(int32_t index) const {
    if (index < 1 || static_cast<size_t>(index) >= slots_.size()) return kEmpty;
    return slots_[static_cast<size_t>(index)].key;
}

HashError HashTable::remove(std::string_view key) {
    if (key.empty()) return HashError::kInvalid;
    Found f = find(key);
    if (f.slot == 0) return HashError::kInvalidArgument;
    Link& link = links_[static_cast<size_t>(f.slot)];
    if (f.last == 0) {
        buckets_[f.bucket] = link.next;
    } else {
        links_[static_cast<size_t>(f.last)].next = link.next;
    }
    link.next = freeHead_;  // key and value stay until the slot is reused
    freeHead_ = f.slot;
    --count_;
    return HashError::kNone;
}

}  // namespace tv
