// The big name list of the name search: any bytes, read as the search reads the file, must give
// entries whose days are real dates, and a search for any name on it must finish.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/calc/date.h"
#include "core/config/cp1250.h"
#include "core/names/name_search.h"
#include "core/names/name_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text =
        tv::decodeTextFile(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string firstName;
    tv::forEachTextLine(text, [&](std::string_view raw) {
        const auto line = tv::parseNameListLine(raw);
        if (!line) return;
        if (firstName.empty()) firstName = std::string(line->name);
        for (const tv::NameDayResult& r : tv::nameListDays(line->name, line->days)) {
            if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > tv::daysInMonth(2000, r.month))
                __builtin_trap();
        }
    });
    // The first name always finds itself; the fixed one exercises the folding of the keys.
    if (!firstName.empty()) tv::searchNameListText(text, firstName);
    tv::searchNameListText(text, "Ágota");
    // The same bytes as a day table.
    tv::NameTable table;
    table.loadText(text);
    tv::searchDayTable(table, firstName.empty() ? std::string("abel") : firstName);
    return 0;
}
