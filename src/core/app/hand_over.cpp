#include "core/app/hand_over.h"

#include <cctype>

#include "core/config/settings_keys.h"

namespace tv {

std::string launchMessage(std::string_view line) {
    return line == "-dev" ? "launch-dev" : "launch";
}

std::string trimLower(std::string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1])))
        --e;
    std::string out(text.substr(b, e - b));
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> handOverMessage(std::string_view commandLine) {
    HashTable unread;
    if (!readFlag(unread, settings::AS_TrayIcon)) return std::nullopt;
    return launchMessage(trimLower(commandLine));
}

}  // namespace tv
