#include "core/config/string_table.h"

#include "core/app/log.h"
#include "core/calc/text_format.h"
#include "core/config/config_file.h"
#include "core/ports/message_box.h"

namespace tv {
namespace {

void replaceAll(std::string& text, std::string_view what, std::string_view with) {
    if (what.empty()) return;
    size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::string::npos) {
        text.replace(pos, what.size(), with);
        pos += with.size();
    }
}

}  // namespace

bool StringTable::loadFile(const std::string& path, MessageBox* box) {
    const bool ok = readConfig(table_, path, box);
    if (ok) source_ = path;
    return ok;
}

std::string loadedLanguage(const StringTable& strings) {
    const std::string& path = strings.source();
    const size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t stem = file.find("_strings");
    if (file.empty() || stem == std::string::npos || stem == 0)
        return "none (no string table read)";
    return file.substr(0, stem) + " (" + file + ", " + std::to_string(strings.table().count()) +
           " texts)";
}

bool StringTable::loadStrings(const std::string& programDir, Log* log, MessageBox* box) {
    if (log != nullptr) log->write("fLoadStrings", 1);
    bool ok = loadFile(programDir + std::string(kRelativePath), box);
    if (!ok && box != nullptr) {
        box->show({std::string(kLoadError), "", MessageButtons::kOk, MessageIcon::kWarning});
    }
    return ok;
}

std::string StringTable::getString(std::string_view key) const {
    if (key.empty() || !table_.exists(key)) return std::string(key);
    std::string text = table_.item(key);
    replaceAll(text, "\\n", "\r\n");
    return text;
}

std::string StringTable::formatString(std::string_view key, std::string_view p1,
                                      std::string_view p2, std::string_view p3,
                                      std::string_view p4) const {
    std::string text = key.empty() ? std::string() : table_.item(key);
    replaceAll(text, "\\n", "\r\n");
    const std::string_view params[4] = {p1, p2, p3, p4};
    for (int i = 0; i < 4; ++i) {
        if (params[i].empty()) continue;
        const char digit = static_cast<char>('1' + i);
        // The article first: "$a1" must not be read as "$a" followed by a filled "$1".
        replaceAll(text, std::string{'$', 'a', digit}, hungarianArticle(params[i], false));
        replaceAll(text, std::string{'$', 'A', digit}, hungarianArticle(params[i], true));
        replaceAll(text, std::string{'$', digit}, params[i]);
    }
    return text;
}

Caption StringTable::captionOf(std::string_view key) const {
    Caption c;
    c.caption = getString(key);
    const std::string tt = std::string(key) + "_tt";
    if (!key.empty() && table_.exists(tt)) c.tooltip = getString(tt);
    return c;
}

}  // namespace tv
