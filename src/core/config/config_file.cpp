#include "core/config/config_file.h"

#include <algorithm>

#include "core/app/version.h"
#include "core/calc/files.h"
#include "core/config/cp1250.h"
#include "core/config/hash_table.h"
#include "core/ports/message_box.h"

namespace tv {
namespace {

// Files over this size are not configuration files; refuse rather than read them whole.
constexpr size_t kMaxConfigBytes = size_t{64} << 20;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Physical lines end with CR LF, a lone LF or a lone CR.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) {
            line = text_.substr(pos_);
            pos_ = text_.size();
            return true;
        }
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        return true;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

std::string describe(HashError e) {
    switch (e) {
        case HashError::kKeyExists:
            return "This key is already associated with an element of this collection";
        case HashError::kInvalid:
            return "Invalid key";
        case HashError::kInvalidArgument:
            return "Invalid procedure call or argument";
        case HashError::kNone:
            break;
    }
    return {};
}

std::string valueOf(std::string_view raw) {
    size_t q1 = raw.find('"');
    if (q1 != std::string_view::npos) {
        size_t q2 = raw.find('"', q1 + 1);
        if (q2 != std::string_view::npos) return std::string(raw.substr(q1 + 1, q2 - q1 - 1));
    }
    size_t comment = raw.find("//");
    if (comment != std::string_view::npos) return std::string(trim(raw.substr(0, comment)));
    return std::string(raw);
}

// Val(): leading blanks, sign, digits, one point, digits, exponent. Returns the characters that
// make up the number (without leading blanks), or empty when there is none.
std::string_view leadingNumber(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    return digits == 0 ? std::string_view{} : s.substr(0, i);
}

}  // namespace

bool isBareConfigValue(std::string_view v) {
    std::string lower(v);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "true" || lower == "false") return true;
    // The text must be exactly how a number prints: no "+", no leading zeros, no trailing
    // zeros after the point, no "-0", at most 15 significant digits.
    std::string_view n = leadingNumber(v);
    if (n.size() != v.size() || n.empty() || n[0] == '+') return false;
    std::string_view body = n[0] == '-' ? n.substr(1) : n;
    if (body.empty() || body[0] == '.' || body.back() == '.') return false;
    size_t point = body.find('.');
    std::string_view whole = body.substr(0, point);
    if (whole.size() > 1 && whole[0] == '0') return false;
    if (point != std::string_view::npos && body.back() == '0') return false;
    if (n[0] == '-' && body == "0") return false;
    size_t significant = 0;
    bool started = false;
    for (char c : body) {
        if (c == '.') continue;
        if (c != '0') started = true;
        if (started) ++significant;
    }
    return significant <= 15;
}

bool parseConfig(HashTable& table, std::string_view bytes, MessageBox* box) {
    table.removeAll();
    if (bytes.empty()) return false;
    const std::string text = decodeTextFile(bytes);
    LineReader lines(text);
    std::string_view physical;
    while (lines.next(physical)) {
        std::string line(trim(physical));
        // A "~" at the end joins the next line, trimmed, before any other rule looks at it.
        while (!line.empty() && line.back() == '~') {
            line.pop_back();
            std::string_view more;
            if (!lines.next(more)) break;
            line += trim(more);
        }
        if (line.empty() || line.starts_with("//")) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string_view key = trim(std::string_view(line).substr(0, eq));
        if (!key.empty() && key.front() == '#') key.remove_prefix(1);
        const std::string value = valueOf(trim(std::string_view(line).substr(eq + 1)));
        HashError e = table.add(key, value);
        if (e != HashError::kNone) {
            if (box != nullptr) {
                box->show({describe(e) + ":\r\n" + std::string(key), "", MessageButtons::kOk,
                           MessageIcon::kCritical});
            }
            return false;
        }
    }
    return true;
}

bool readConfig(HashTable& table, const std::string& path, MessageBox* box) {
    std::string bytes;
    if (readWholeFile(path, bytes, kMaxConfigBytes) != ReadResult::kOk) {
        table.removeAll();
        return false;
    }
    return parseConfig(table, bytes, box);
}

std::string formatConfig(const HashTable& table, bool formatted) {
    std::string out;
    size_t longest = 0;
    for (int32_t i = 1; i <= table.count(); ++i) {
        longest = std::max(longest, utf8Length(table.keyByIndex(i)));
    }
    if (formatted) {
        out += "// Created with " + std::string(kProgramName) + " v" + versionText() + "\r\n\r\n";
    }
    for (int32_t i = 1; i <= table.count(); ++i) {
        const std::string& key = table.keyByIndex(i);
        const std::string& value = table.itemByIndex(i);
        out += key;
        if (formatted) out.append(longest - utf8Length(key), ' ');
        out += " = ";
        if (formatted && isBareConfigValue(value)) {
            out += value;
        } else {
            out += '"' + value + '"';
        }
        out += "\r\n";
    }
    return out;
}

bool writeConfig(const HashTable& table, const std::string& path, bool formatted, FileOps& ops) {
    return saveFileAtomic(path, utf8ToCp1250(formatConfig(table, formatted)), ".tmp", 0644, ops);
}

}  // namespace tv
