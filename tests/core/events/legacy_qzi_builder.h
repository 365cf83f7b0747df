// Builds the old program's ".qzi" files byte by byte for the import tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/config/binary_io.h"

namespace tv::test {

// Magic, version, two header texts, 20 filler bytes and the kind (0 records, 1 key/value).
inline std::string qziHeader(uint8_t kind, uint8_t major = 1, uint8_t minor = 2) {
    std::string h = "QZI_DB";
    h += static_cast<char>(major);
    h += static_cast<char>(minor);
    h += '\x07';
    h += "\x03"
         "abc";
    h += "\x02"
         "de";
    h += std::string(20, 'x');
    h += static_cast<char>(kind);
    return h;
}

// A record list: F fields per record, each a text16.
inline std::string qziRecords(uint8_t fields,
                              const std::vector<std::vector<std::string>>& records) {
    ByteWriter w;
    w.byte(fields);
    w.int16(static_cast<int>(records.size()));
    for (const auto& r : records) {
        for (uint8_t f = 0; f < fields; ++f)
            w.text16(f < r.size() ? r[f] : std::string());
    }
    return qziHeader(0) + w.take();
}

inline std::string qziPairs(const std::vector<std::pair<std::string, std::string>>& pairs,
                            uint8_t flag = 1) {
    ByteWriter w;
    w.byte(flag);
    w.int16(static_cast<int>(pairs.size()));
    for (const auto& [k, v] : pairs) {
        w.text16(k);
        w.text16(v);
    }
    return qziHeader(1) + w.take();
}

}  // namespace tv::test
