#include "core/settings/settings_sources.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/calc/files.h"
#include "core/config/cp1250.h"

namespace tv {

namespace {

namespace fs = std::filesystem;

// A theme.cfg is a page of text; anything bigger is not one.
constexpr size_t kMaxThemeBytes = 1 << 20;

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

SkinInfo readSkinInfo(std::string_view folderName, const std::string& folder,
                      std::string_view text) {
    SkinInfo info;
    info.folder = std::string(folderName);
    std::string name, nameHun, preview;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        std::string_view line = trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (line.empty() || line.front() == '#' || line.starts_with("//")) continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string key = lower(trim(line.substr(0, eq)));
        std::string_view value = trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (key == "skinname")
            name = value;
        else if (key == "skinnamehun")
            nameHun = value;
        else if (key == "version")
            info.version = value;
        else if (key == "author")
            info.author = value;
        else if (key == "previewimage")
            preview = value;
    }
    info.name = !name.empty() ? name : !nameHun.empty() ? nameHun : info.folder;
    if (!preview.empty()) info.previewImage = folder + normalizePath(preview);
    return info;
}

std::vector<SkinInfo> listSkins(const std::string& programDir) {
    std::vector<SkinInfo> skins;
    std::error_code ec;
    const fs::path root = fs::path(programDir) / "themes";
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec)) continue;
        const std::string folder = it->path().string() + "/";
        const std::string cfg = folder + "theme.cfg";
        std::string bytes;
        if (!fileExists(cfg) || readWholeFile(cfg, bytes, kMaxThemeBytes) != ReadResult::kOk) {
            continue;
        }
        skins.push_back(
            readSkinInfo(it->path().filename().string(), folder, decodeTextFile(bytes)));
    }
    std::sort(skins.begin(), skins.end(),
              [](const SkinInfo& a, const SkinInfo& b) { return a.folder < b.folder; });
    return skins;
}

std::vector<std::string> listAlarmSounds(const std::string& programDir) {
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path root = fs::path(programDir) / "sounds";
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        // Exactly ".wav": the setting stores the name with ".wav" put back.
        if (!it->is_regular_file(ec) || file.size() <= 4 || !file.ends_with(".wav")) continue;
        names.push_back(file.substr(0, file.size() - 4));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string alarmSoundChoicePath(const std::string& programDir, int source,
                                 std::string_view listedName, std::string_view customPath) {
    if (source == 1) return normalizePath(customPath);
    if (listedName.empty()) return {};
    return programDir + "sounds/" + std::string(listedName) + ".wav";
}

std::string defaultBackupFileName(std::string_view isoDate) {
    return "tempovirens_" + std::string(isoDate);
}

}  // namespace tv
