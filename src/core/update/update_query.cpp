#include "core/update/update_query.h"

#include "core/config/config_file.h"
#include "core/config/cp1250.h"
#include "core/config/hash_table.h"

namespace tv {
namespace {

bool isPlain(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// The identifier comes from the service; escaping keeps a stray "&" or "#" from breaking the
// query (the identifiers it issues are letters and digits and pass unchanged).
std::string percentEncoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (isPlain(b) || ch == '.' || ch == '~') {
            out += ch;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

std::string trimmed(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    const size_t e = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(b, e - b + 1));
}

}  // namespace

std::string readUpdateEndpoint(const std::string& programDir) {
    HashTable table;
    readConfig(table, programDir + std::string(kUpdateConfigPath));
    const std::string endpoint = trimmed(table.item("endpoint"));
    // An unquoted address loses everything from its "//" to the comment rule of these files.
    return endpoint.find("://") != std::string::npos ? endpoint : std::string();
}

std::string cleanSkinName(std::string_view skin) {
    std::string out;
    size_t pos = 0;
    while (pos < skin.size()) {
        const char32_t c = nextCodePoint(skin, pos);
        out += isPlain(c) ? static_cast<char>(c) : '_';
    }
    return out;
}

std::string buildUpdateQuery(std::string_view endpoint, const UpdateQuery& q) {
    std::string url(endpoint);
    if (url.empty() || url.back() != '/') url += '/';
    url += kUpdatePage;
    url += "?mode=data";
    url += "&check_type=";
    url += q.manual ? "manual" : "auto";
    url += "&id=tempovirens";
    url += "&user_id=" + percentEncoded(q.userId);
    url += "&use_user_id=true";
    url += "&tempovirens_skin=" + cleanSkinName(q.skin);
    url += "&tempovirens_entries=" + std::to_string(q.entries);
    url += "&ver_maj=" + std::to_string(q.version.major);
    url += "&ver_min=" + std::to_string(q.version.minor);
    url += "&ver_rev=" + std::to_string(q.version.revision);
    return url;
}

}  // namespace tv
