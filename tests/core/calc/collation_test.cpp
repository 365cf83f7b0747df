#include "core/calc/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tv {
namespace {

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::stable_sort(v.begin(), v.end(), [](const std::string& a, const std::string& b) {
        return collatesBefore(a, b);
    });
    return v;
}

// Regression: the lists sorted by bytes, so "Ágnes" and "Éva" came after "Zoltán".
TEST(Collation, HungarianAlphabeticalOrder) {
    const std::vector<std::string> expected = {
        "Adrienn", "Ágnes",    "Béla",  "Cecília", "Csaba",   "Dóra",   "Edit",
        "Éva",     "Gábor",    "Gyula", "Olga",    "Ottó",    "Ödön",   "Őze",
        "Sándor",  "Szabolcs", "Ubul",  "Üllő",    "Űrhajós", "Zoltán", "Zsófia"};
    std::vector<std::string> shuffled = expected;
    std::reverse(shuffled.begin(), shuffled.end());
    std::rotate(shuffled.begin(), shuffled.begin() + 7, shuffled.end());
    EXPECT_EQ(sorted(shuffled), expected);
}

TEST(Collation, CaseDoesNotCountAndKeysCompareBytewise) {
    EXPECT_EQ(collationKey("anna"), collationKey("ANNA"));
    EXPECT_NE(collationKey("anna"), collationKey("ánna"));  // accents do, after the letters
    EXPECT_LT(collationKey("ánna"), collationKey("anne"));
    // The order keys of the lists: alarm time digits first, then the name.
    EXPECT_LT(collationKey("0705Zoltán"), collationKey("0750Ágnes"));
    EXPECT_LT(collationKey("0750Zoltán"), collationKey("9999Ágnes"));
    EXPECT_LT(collationKey("9999Ágnes"), collationKey("9999Zoltán"));
    // Broken bytes sort somewhere, and never crash.
    EXPECT_FALSE(collationKey(std::string("\xC3\x28", 2)).empty());
    EXPECT_TRUE(collationKey("").empty());
}

}  // namespace
}  // namespace tv
