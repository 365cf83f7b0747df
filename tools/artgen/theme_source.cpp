#include "theme_source.h"

#include <fstream>
#include <sstream>

namespace tv::art {
namespace {

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

constexpr const char* kElements[12] = {"exitbutton", "calleft",      "calright",  "menucal",
                                       "menudates",  "menusettings", "menuabout", "menunames",
                                       "menualarm",  "menuswname",   "menualert", "menuhome"};

}  // namespace

bool ThemeSource::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    path_ = path;
    values_.clear();
    std::string raw;
    std::string line;
    while (std::getline(in, raw)) {
        line = trim(raw);
        while (!line.empty() && line.back() == '~' && std::getline(in, raw)) {
            line.pop_back();
            line += trim(raw);
        }
        if (line.empty() || line.rfind("//", 0) == 0) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = trim(line.substr(0, eq));
        if (!key.empty() && key[0] == '#') key.erase(0, 1);
        std::string value = trim(line.substr(eq + 1));
        size_t q1 = value.find('"');
        size_t q2 = q1 == std::string::npos ? q1 : value.find('"', q1 + 1);
        if (q2 != std::string::npos) {
            value = value.substr(q1 + 1, q2 - q1 - 1);
        } else if (size_t c = value.find("//"); c != std::string::npos) {
            value = trim(value.substr(0, c));
        }
        if (!key.empty()) values_[key] = value;
    }
    return true;
}

std::string ThemeSource::text(const std::string& key, const std::string& def) const {
    auto it = values_.find(key);
    return it == values_.end() ? def : it->second;
}

int ThemeSource::num(const std::string& key, int def) const {
    auto it = values_.find(key);
    if (it == values_.end()) return def;
    try {
        return std::stoi(it->second);
    } catch (...) {
        return def;
    }
}

QColor ThemeSource::color(const std::string& key, QColor def) const {
    auto it = values_.find(key);
    if (it == values_.end()) return def;
    try {
        return fromBgr(std::stol(it->second));
    } catch (...) {
        return def;
    }
}

QRect ThemeSource::rect(const std::string& prefix) const {
    return QRect(num(prefix + "_x"), num(prefix + "_y"), num(prefix + "_w"), num(prefix + "_h"));
}

QRect ThemeSource::pictureArea() const {
    return rect("picture");
}
QRect ThemeSource::wiseBox() const {
    return rect("wise");
}

QRect ThemeSource::buttonRect(int index) const {
    std::string e = kElements[index];
    if (!has(e + "_x") || !has(e + "_y")) return QRect(0, 0, -1, -1);
    std::string i = std::to_string(index);
    return QRect(num(e + "_x"), num(e + "_y"), num("tx" + i + "_w"), num("tx" + i + "_h"));
}

QRect ThemeSource::fieldRect(int cell) const {
    int w = num("cal_field_w"), h = num("cal_field_h");
    return QRect(num("cal_fields_x") + (cell % 7) * w, num("cal_fields_y") + (cell / 7) * h, w, h);
}

QColor fromBgr(long value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

long toBgr(QColor c) {
    return static_cast<long>(c.red()) | (static_cast<long>(c.green()) << 8) |
           (static_cast<long>(c.blue()) << 16);
}

const char* buttonElement(int index) {
    return kElements[index];
}

}  // namespace tv::art
