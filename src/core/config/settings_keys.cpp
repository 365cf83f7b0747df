#include "core/config/settings_keys.h"

#include <climits>

namespace tv {

int readInt(HashTable& table, const SettingKey& k) {
    const std::string text = read(table, k);
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > INT_MAX) v = INT_MAX;  // a hand-edited file may hold anything
    }
    return static_cast<int>(negative ? -v : v);
}

}  // namespace tv
