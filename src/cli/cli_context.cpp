#include "cli/cli_context.h"

#include <ctime>
#include <iostream>

#include "cli/cli_help.h"

namespace tv::cli {

DateTime CliClock::now() const {
    if (fixed) return *fixed;
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return DateTime::of(Date::serial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                        local.tm_hour, local.tm_min, local.tm_sec);
}

double CliClock::secondsSinceMidnight() const {
    if (fixed) return fixed->second;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    localtime_r(&ts.tv_sec, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
           static_cast<double>(ts.tv_nsec) / 1e9;
}

const StringTable& CliContext::strings() {
    if (!strings_) {
        strings_.emplace();
        if (!strings_->loadStrings(paths.programDir, nullptr, nullptr)) {
            *err << StringTable::kLoadError << '\n';
        }
    }
    return *strings_;
}

int CliContext::usage(std::string_view hint) const {
    std::string line = command != nullptr ? usageLine(*command) : std::string();
    if (!hint.empty()) line += " (" + std::string(hint) + ")";
    return printUsage(*err, line);
}

int CliContext::fail(std::string_view message) const {
    *err << "tempovirens-cli: " << message << '\n';
    return kExitFailure;
}

std::optional<int> parseIntArg(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int v = 0;
    size_t i = 0;
    bool negative = text[0] == '-';
    if (negative) ++i;
    if (i == text.size()) return std::nullopt;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
    }
    return negative ? -v : v;
}

std::optional<Date> parseIsoDateArg(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto y = parseIntArg(text.substr(0, 4));
    auto m = parseIntArg(text.substr(5, 2));
    auto d = parseIntArg(text.substr(8, 2));
    if (!y || !m || !d || *m < 0 || *d < 0) return std::nullopt;
    return Date::fromYmd(*y, *m, *d);
}

std::optional<DateTime> parseIsoDateTimeArg(std::string_view text) {
    if (text.size() != 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    auto date = parseIsoDateArg(text.substr(0, 10));
    auto h = parseIntArg(text.substr(11, 2));
    auto mi = parseIntArg(text.substr(14, 2));
    auto s = parseIntArg(text.substr(17, 2));
    if (!date || !h || !mi || !s || *h < 0 || *h > 23 || *mi < 0 || *mi > 59 || *s < 0 || *s > 59) {
        return std::nullopt;
    }
    return DateTime::of(*date, *h, *mi, *s);
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (b < 0x20) {
                    static constexpr char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[b >> 4];
                    out += kHex[b & 15];
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string plainText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

}  // namespace tv::cli
